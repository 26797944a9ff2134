#include "popup/TrackChangePopup.h"

#include <QMouseEvent>

#include "model/SettingsModel.h"
#include "skin/Marquee.h"
#include "skin/SkinColors.h"
#include "skin/SkinFonts.h"
#include "util/Twips.h"

using skinfonts::Face;

namespace {

using skincolors::kGreen;
using skincolors::kRed;
const QString kTitleSeparator = QStringLiteral("   ---   ");

}  // namespace

TrackChangePopup::TrackChangePopup(const Desktop& desktop, const SettingsModel& settings,
                                   std::function<QString()> playTime)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus),
      desktop_(desktop),
      settings_(settings),
      playTime_(std::move(playTime)) {
    setObjectName(QStringLiteral("TrackChangePopup"));
    setWindowTitle(QStringLiteral("Trackinfo"));
    // It starts off screen and moves on its own: no window manager may place it or give it
    // the focus.
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    clockTimer = new WindowTimer(1, true, this);
    slideTimer = new WindowTimer(kFirstTick, true, this);
    marqueeTimer = new WindowTimer(kMarqueeTick, false, this);

    const auto make = [this, &desktop](const char* name, double left, double top, double width,
                                       double height) {
        auto* label = new SkinLabel(this);  // owned by the window
        label->setObjectName(QString::fromLatin1(name));
        twips::setGeometry(*label, left, top, width, height, desktop);
        // Not a click: the labels are text, no buttons, to a screen reader.
        connect(label, &SkinLabel::mouseUp, this, [this](Qt::MouseButton button) {
            if (button == Qt::LeftButton) {
                unload();
            }
        });
        return label;
    };
    clock = make("clock", 2280, 255, 615, 165);
    clock->setForeColor(kRed);
    clock->setFont(skinfonts::font(Face::SansSerif, 6.75));
    clock->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    clock->setAutoSize(true);
    clock->setCaption(QStringLiteral("0:00 / 0:00"));

    playGlyph = make("playGlyph", 20, 40, 195, 270);
    playGlyph->setForeColor(kGreen);
    playGlyph->setCaption(QStringLiteral("4"));
    playGlyph->setGlyph(SkinLabel::Glyph::Play);

    border = new SkinFrame(this);
    border->setObjectName(QStringLiteral("border"));
    twips::setGeometry(*border, 0, 0, kClientWidth, kClientHeight, desktop);

    titleLabel = make("titleLabel", 240, 75, kTitleWidth, 195);
    titleLabel->setForeColor(kGreen);
    titleLabel->setFont(skinfonts::font(Face::Tahoma, 8.25));
    titleLabel->setAutoSize(true);
    titleLabel->setCaption(QStringLiteral("No Track now"));

    connect(clockTimer, &WindowTimer::timeout, this, &TrackChangePopup::copyClock);
    connect(slideTimer, &WindowTimer::timeout, this, &TrackChangePopup::slideStep);
    connect(marqueeTimer, &WindowTimer::timeout, this, &TrackChangePopup::scrollTitle);
    // It starts wholly off the right edge, and slides in.
    top_ = twips::fromPixels(desktop.screenSize().height(), desktop.twipsPerPixelY()) -
           kAboveScreenBottom;
    left_ = screenWidth() + kClientWidth + kEdgeGap;
    twips::setGeometry(*this, left_, top_, kClientWidth, kClientHeight, desktop);
}

double TrackChangePopup::screenWidth() const {
    const Desktop& d = desktop_;
    return twips::fromPixels(d.screenSize().width(), d.twipsPerPixelX());
}

void TrackChangePopup::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    raise();
    for (WindowTimer* timer : {clockTimer, slideTimer, marqueeTimer}) {
        timer->wake();
    }
}

void TrackChangePopup::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        unload();
    }
}

void TrackChangePopup::unload() {
    // A tick still due before the popup is deleted would act on its successor.
    for (WindowTimer* timer : {clockTimer, slideTimer, marqueeTimer}) {
        timer->setEnabled(false);
    }
    emit unloadRequested();
}

bool TrackChangePopup::sleepWhileHidden(WindowTimer& timer) {
    if (isVisible()) {
        return false;
    }
    timer.sleepUntilWoken();
    return true;
}

void TrackChangePopup::setLeft(double left) {
    left_ = left;
    twips::moveTo(*this, left_, top_, desktop_);
}

void TrackChangePopup::copyClock() {
    if (sleepWhileHidden(*clockTimer)) {
        return;
    }
    clock->setCaption(playTime_());
    // Until the main window's clock shows another time, every tick would copy the same.
    clockTimer->sleepUntilWoken();
}

void TrackChangePopup::slideStep() {
    if (sleepWhileHidden(*slideTimer)) {
        return;
    }
    slideTimer->setInterval(kSlideTick);
    if (slideIn_) {
        const double arrivedLeft = screenWidth() - (kClientWidth + kEdgeGap);
        // Once there it stays put: a popup that stays open is set going again at each change
        // of track, and would otherwise creep leftwards by a step every time.
        if (left_ > arrivedLeft) {
            setLeft(left_ - kSlideInStep);
        }
        if (arrivedLeft >= left_) {
            arrive();
        }
    } else {
        setLeft(left_ + kSlideOutStep);
        if (screenWidth() + kEdgeGap <= left_) {
            unload();
        }
    }
}

// The popup holds where it arrived; the tick after the hold starts the slide out.
void TrackChangePopup::arrive() {
    const double width = twips::width(*titleLabel, desktop_);
    if (width > kTitleWidth) {
        titleLabel->setCaption(titleLabel->caption() + kTitleSeparator);
        marqueeTimer->setEnabled(true);
        slideTimer->setInterval(kLongHold);
    } else if (width < kTitleWidth) {
        marqueeTimer->setEnabled(false);
        slideTimer->setInterval(kShortHold);
    }
    if (settings_.isOn(SettingsModel::KeepPopupOpen)) {
        slideTimer->setEnabled(false);
    } else {
        slideIn_ = false;
    }
}

void TrackChangePopup::scrollTitle() {
    if (sleepWhileHidden(*marqueeTimer)) {
        return;
    }
    titleLabel->setCaption(marqueeStep(titleLabel->caption()));
}
