#include "mainwindow/Docking.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "mainwindow/Chrome.h"
#include "mainwindow/MainWindow.h"
#include "platform/WindowSystem.h"
#include "util/OnScreen.h"
#include "util/Twips.h"

namespace {

// Ticks that must find the windows held at the same wrong places before the docking takes that
// for the window manager's will: until it has answered, a window is where it was before.
constexpr int kTicksBeforeGivingIn = 40;

// Where the playlist window of the given size docks, given its place under the main window:
// there while it fits into the work area (the screen less the desktop's panels); else over the
// main window where it fits there; else on the side with more room. It never covers the main
// window, and it stays within the work area's left and right edges.
QPoint dockedPlace(QPoint under, QSize list, const QRect& main, const QRect& area) {
    const int x = std::max(area.left(), std::min(under.x(), area.right() + 1 - list.width()));
    const int roomUnder = area.bottom() + 1 - under.y();
    const int roomOver = main.top() - area.top();
    if (list.height() <= roomUnder || roomUnder >= roomOver) {
        return {x, std::max(under.y(), area.top())};
    }
    return {x, main.top() - list.height()};
}

}  // namespace

Docking::Docking(MainWindow& form, const WindowSystem& windows)
    : QObject(&form),
      form_(form),
      windows_(windows),
      previousFocus_(QGuiApplication::focusWindow()) {
    form.installEventFilter(this);
    connect(form.dockingTimer, &WindowTimer::timeout, this, [this] {
        if (!dock()) {
            form_.dockingTimer->sleepUntilWoken();
        }
    });
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        connect(screen, &QScreen::geometryChanged, form.dockingTimer, &WindowTimer::wake);
    }
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* now) {
        const bool fromInside = !previousFocus_.isNull();
        previousFocus_ = now;
        if (fromInside && now != nullptr && now == form_.windowHandle()) {
            runActivationSteps();
        }
    });
}

void Docking::setPlaylist(QWidget* playlist) {
    playlist_ = playlist;
    if (playlist != nullptr) {
        playlist->installEventFilter(this);
    }
}

bool Docking::eventFilter(QObject* /*watched*/, QEvent* event) {
    // Wherever either window goes, the docking timer looks again.
    const QEvent::Type type = event->type();
    if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show) {
        form_.dockingTimer->wake();
    }
    return false;
}

float Docking::limit() const {
    const Desktop& d = form_.desktop();
    const double screenWidth = d.screenSize().width() * d.twipsPerPixelX();
    return static_cast<float>(screenWidth / 2 - twips::top(form_, d) / 2);
}

bool Docking::dock() {
    if (playlist_ == nullptr) {
        return false;
    }
    const Desktop& d = form_.desktop();
    const double left = twips::left(form_, d);
    const int x = limit() >= left ? twips::toPixels(left, d.twipsPerPixelX()) : playlist_->x();
    return dockAt(QPoint(x, bottomPixels(0)));
}

bool Docking::dockAt(QPoint under) {
    QWidget* const pl = playlist_;
    if (pl == nullptr) {
        return false;
    }
    const QPoint target =
        dockedPlace(under, pl->size(), form_.geometry(), form_.desktop().availableGeometry());
    if (!form_.isVisible() || !pl->isVisible() || form_.chrome().isDragging()) {
        // Nothing to hold while hidden; a drag moves both windows at every tick.
        misses_ = 0;
        const bool moving = pl->pos() != target;
        pl->move(target);
        return moving;
    }
    // Where the windows are: as the window manager said, or else as the screen shows them.
    const QPoint mainAt = windows_.placeOf(form_);
    const QPoint listAt = pl->pos() != target ? pl->pos() : windows_.placeOf(*pl);
    if (mainAt == form_.pos() && listAt == target) {
        misses_ = 0;
        return false;
    }
    if (target == target_ && mainAt == mainHeldAt_ && listAt == listHeldAt_) {
        ++misses_;
    } else {
        target_ = target;
        mainHeldAt_ = mainAt;
        listHeldAt_ = listAt;
        misses_ = 1;
    }
    if (misses_ < kTicksBeforeGivingIn) {
        pl->move(target);
        return true;
    }
    // Held there: the docking follows where the main window really is, and a playlist window
    // held over the main window carries the main window up onto it, once for each place.
    misses_ = 0;
    if (mainAt != form_.pos()) {
        form_.move(mainAt);
        return true;
    }
    pl->move(listAt);
    if (gaveInAt_ != listAt && QRect(listAt, pl->size()).intersects(form_.geometry())) {
        gaveInAt_ = listAt;
        form_.move(form_.x(), listAt.y() - form_.height());
        return true;
    }
    return false;
}

int Docking::bottomPixels(double above) const {
    const Desktop& d = form_.desktop();
    return twips::toPixels(twips::top(form_, d) + twips::height(form_, d) - above,
                           d.twipsPerPixelY());
}

void Docking::moveToDock(QPoint under) {
    const QPoint target = dockedPlace(under, playlist_->size(), form_.geometry(),
                                      form_.desktop().availableGeometry());
    if (playlist_->pos() != target) {
        playlist_->move(target);
    }
}

void Docking::followDrag() {
    if (playlist_ != nullptr) {
        const Desktop& d = form_.desktop();
        moveToDock({twips::toPixels(twips::left(form_, d), d.twipsPerPixelX()), bottomPixels(0)});
    }
}

void Docking::placeOverlapping() {
    // Where it has no room there, the docking keeps it over the main window.
    if (playlist_ != nullptr) {
        moveToDock({playlist_->x(), bottomPixels(kActivationOverlap)});
    }
}

void Docking::placeShown() {
    const Desktop& d = form_.desktop();
    const double bottom = twips::top(form_, d) + twips::height(form_, d);
    placeOverlapping();
    if (limit() < twips::left(form_, d)) {
        twips::setTop(*playlist_, bottom, d);
    } else {
        twips::moveTo(*playlist_, twips::left(form_, d), bottom - kActivationOverlap, d);
    }
}

void Docking::placeOnScreen() {
    QRect both = form_.geometry();
    if (playlist_ != nullptr && playlist_->isVisible()) {
        both.setHeight(both.height() + playlist_->height());
    }
    moveClientAreaTo(form_, placedOnScreen(both, form_.desktop().availableGeometry()));
}

void Docking::runActivationSteps() {
    placeOverlapping();
    const Desktop& d = form_.desktop();
    if (twips::height(form_, d) > kMaxMainHeight) {
        twips::setHeight(form_, kMaxMainHeight, d);
    }
}
