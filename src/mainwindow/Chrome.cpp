#include "mainwindow/Chrome.h"

#include <array>

#include "mainwindow/Docking.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/Tray.h"
#include "model/PlaybackModel.h"
#include "model/PlayerActions.h"
#include "skin/Marquee.h"
#include "skin/SkinColors.h"
#include "util/Twips.h"

namespace {

using skincolors::kBlue;
using skincolors::kCyan;
using skincolors::kGreen;
using skincolors::kRed;
using skincolors::kWhite;
const QString kMarqueeSeparator = QStringLiteral("       ---        ");

}  // namespace

Chrome::Chrome(MainWindow& form) : QObject(&form), form_(form) {
    connectPressedLooks();
    connect(form_.titleBar, &SkinLabel::mouseDown, this,
            [this](Qt::MouseButton /*button*/, QPointF pos) {
                grabX_ = pos.x() * form_.desktop().twipsPerPixelX();
                grabYFlag_ = pos.y() != 0;
                moveDrag_ = true;
                settleTicks_ = 0;
                form_.windowDragTimer->setInterval(10);
            });
    connect(form_.titleBar, &SkinLabel::mouseUp, this, [this] {
        moveDrag_ = false;
        // The window manager may yet put either window elsewhere than the drag did. The
        // docking timer follows them; while it is off, the drag's own docking goes on until the
        // two have stood still for a while.
        settleTicks_ = form_.dockingTimer->isEnabled() ? 0 : kSettleTicks;
        form_.windowDragTimer->setInterval(settleTicks_ > 0 ? 10 : 0);
    });
    connect(form_.windowDragTimer, &WindowTimer::timeout, this, [this] {
        if (!moveDrag_ && settleTicks_ > 0) {
            settleAfterDrag();
            return;
        }
        form_.docking().followDrag();
        if (!moveDrag_) {
            return;
        }
        const Desktop& d = form_.desktop();
        const QPoint cursor = d.cursorPos();
        // A press below the label's top edge counts as -1, so the window sits one twip lower.
        const double yFlag = grabYFlag_ ? -1.0 : 0.0;
        twips::moveTo(form_, d.twipsPerPixelX() * cursor.x() - grabX_,
                      d.twipsPerPixelY() * cursor.y() - yFlag - kDragTopOffset, d);
        form_.docking().followDrag();
    });
    connect(&form_.actions_.minimise, &QAction::triggered, this, [this] {
        if (form_.services_.trayShown()) {
            // Straight into the tray: a window the window manager iconified and that was then
            // withdrawn came back iconic at its next map, and vanished again at once.
            applyWindowState(true);
        } else {
            form_.setWindowState(form_.windowState() | Qt::WindowMinimized);
        }
        form_.dockingTimer->setEnabled(false);
    });
    // A title wider than the window gets the separator and scrolls, a narrower one stands
    // still.
    connect(&form_.model_, &PlaybackModel::titleChanged, this, [this](const QString& title) {
        form_.titleMarquee->setCaption(title);
        const double width = twips::width(*form_.titleMarquee, form_.desktop());
        if (width > MainWindow::kMarqueeWidth) {
            form_.titleMarquee->setCaption(form_.titleMarquee->caption() + kMarqueeSeparator);
            form_.marqueeTimer->setEnabled(true);
        } else if (width < MainWindow::kMarqueeWidth) {
            form_.marqueeTimer->setEnabled(false);
        }
    });
    connect(form_.marqueeTimer, &WindowTimer::timeout, this,
            [this] { form_.titleMarquee->setCaption(marqueeStep(form_.titleMarquee->caption())); });
    connect(&form_, &MainWindow::resized, this,
            [this] { applyWindowState(form_.windowState().testFlag(Qt::WindowMinimized)); });
}

void Chrome::connectPressedLooks() {
    // The looks react to any mouse button.
    for (SkinLabel* glyph : {form_.playButton, form_.pauseButton, form_.stopButton,
                             form_.previousButton, form_.nextButton}) {
        connect(glyph, &SkinLabel::mouseDown, this, [glyph] { glyph->setForeColor(kBlue); });
        connect(glyph, &SkinLabel::mouseUp, this, [glyph] { glyph->setForeColor(kGreen); });
    }
    for (SkinLabel* button : {form_.searchButton, form_.saveButton, form_.optionsButton,
                              form_.insertButton, form_.exitButton, form_.clearButton}) {
        connect(button, &SkinLabel::mouseDown, this, [button] { button->setBackColor(kCyan); });
        connect(button, &SkinLabel::mouseUp, this, [button] { button->setBackColor(kWhite); });
    }
    const std::array<std::pair<SkinLabel*, SkinFrame*>, 3> titleButtons{
        {{form_.minimiseButton, form_.minimiseFrame},
         {form_.helpButton, form_.helpFrame},
         {form_.closeButton, form_.closeFrame}}};
    for (const auto& button : titleButtons) {
        SkinLabel* label = button.first;
        SkinFrame* frame = button.second;
        connect(label, &SkinLabel::mouseDown, this, [label, frame] {
            frame->setBorderColor(kRed);
            label->setForeColor(kWhite);
        });
        connect(label, &SkinLabel::mouseUp, this, [label, frame] {
            frame->setBorderColor(kWhite);
            label->setForeColor(kGreen);
        });
    }
}

void Chrome::settleAfterDrag() {
    const bool moved = form_.docking().dockAt(QPoint(form_.x(), form_.y() + form_.height()));
    settleTicks_ = moved ? kSettleTicks : settleTicks_ - 1;
    if (settleTicks_ <= 0) {
        form_.windowDragTimer->setInterval(0);
    }
}

void Chrome::applyWindowState(bool minimised) {
    if (minimised) {
        form_.tray().minimiseIntoTray();
    } else if (!form_.services_.trayShown()) {
        // Back from the task bar without a tray icon: nothing else would restart the docking.
        form_.dockingTimer->setEnabled(true);
    }
    const bool playlistWanted = form_.playlistWanted();
    form_.setPlaylistShown(playlistWanted);
    emit playlistFollows(playlistWanted, !minimised);
    if (form_.model_.title().isEmpty()) {
        form_.model_.setTitle(kNoFileLoaded);
    }
}
