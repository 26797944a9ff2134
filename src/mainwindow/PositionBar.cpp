#include "mainwindow/PositionBar.h"

#include <algorithm>
#include <cmath>

#include "mainwindow/MainWindow.h"
#include "util/Twips.h"

PositionBar::PositionBar(MainWindow& form)
    : QObject(&form), form_(form), notchLeft_(twips::left(*form.positionNotch, form.desktop())) {
    // The notch lies over the bar, so that a press on it is the notch's; the tooltip over all.
    form_.positionNotch->raise();
    form_.seekTip->raise();
    form_.positionTrack->setSlider(this);
    connect(form_.positionTimer, &WindowTimer::timeout, this, &PositionBar::showPosition);
    connect(form_.positionTrack, &SkinLabel::clicked, this, &PositionBar::showPosition);
    // Press and release on the notch or the bar, with any mouse button.
    const auto grab = [this] {
        seekDrag_ = true;
        form_.seekTip->show();
    };
    const auto drop = [this] {
        if (MediaPlayer* player = form_.player_.get()) {
            // A file of unknown length has nowhere to seek to.
            if (const auto target = position::seekTarget(bar(), notchLeft_, player->duration())) {
                player->setCurrentPosition(*target);
                emit jumped(*target);
            }
        }
        seekDrag_ = false;
        form_.seekTip->hide();
    };
    for (SkinLabel* label : {form_.positionNotch, form_.positionTrack}) {
        connect(label, &SkinLabel::mouseDown, this, grab);
        connect(label, &SkinLabel::mouseUp, this, drop);
    }
    connect(&form_, &MainWindow::mouseMoved, this, &PositionBar::hideSeekTip);
}

position::BarGeometry PositionBar::bar() const {
    return {twips::left(*form_.positionTrack, form_.desktop()),
            twips::width(*form_.positionTrack, form_.desktop()),
            twips::width(*form_.positionNotch, form_.desktop())};
}

void PositionBar::placeNotch(double left) {
    notchLeft_ = left;
    twips::setLeft(*form_.positionNotch, left, form_.desktop());  // moves only to another pixel
}

void PositionBar::showPosition() {
    const MediaPlayer* player = form_.player_.get();
    const double now = player != nullptr ? player->currentPosition() : 0.0;
    const double length = player != nullptr ? player->duration() : 0.0;
    form_.clock->setCaption(position::timeText(now) + QStringLiteral(" / ") +
                            position::timeText(length));
    if (!seekDrag_) {
        placeNotch(position::notchLeftForPosition(bar(), now, length));
    } else {
        followMouse(length);
    }
    // Once a second while playing, never while the position stands still.
    const long second = std::lround(now);
    if (second != announcedSecond_) {
        announcedSecond_ = second;
        form_.positionTrack->announceSliderValue();
    }
}

void PositionBar::followMouse(double duration) {
    const Desktop& desktop = form_.desktop();
    const position::BarGeometry geometry = bar();
    const double mouseX = desktop.twipsPerPixelX() * desktop.cursorPos().x();
    placeNotch(position::notchLeftForMouse(geometry, mouseX, twips::left(form_, desktop)));

    SkinLabel& tip = *form_.seekTip;
    tip.setCaption(position::seekTipText(duration, position::notchFraction(geometry, notchLeft_)));
    twips::setLeft(tip,
                   position::seekTipLeft(geometry, notchLeft_, twips::width(tip, desktop),
                                         twips::width(form_, desktop)),
                   desktop);
}

void PositionBar::seekTo(double seconds) {
    MediaPlayer* player = form_.player_.get();
    const double length = player != nullptr ? player->duration() : 0.0;
    if (!(length > 0) || !std::isfinite(seconds)) {
        return;
    }
    const double target = std::clamp(seconds, 0.0, length);
    player->setCurrentPosition(target);
    emit jumped(target);
    showPosition();
}

void PositionBar::seekBy(double seconds) {
    if (const MediaPlayer* player = form_.player_.get()) {
        seekTo(player->currentPosition() + seconds);
    }
}

double PositionBar::sliderValue() const {
    const MediaPlayer* player = form_.player_.get();
    return player != nullptr ? player->currentPosition() : 0.0;
}

QString PositionBar::sliderText() const {
    return QStringLiteral("%1 von %2")
        .arg(position::timeText(sliderValue()), position::timeText(sliderMaximum()));
}

double PositionBar::sliderMaximum() const {
    const MediaPlayer* player = form_.player_.get();
    return player != nullptr ? player->duration() : 0.0;
}

void PositionBar::hideSeekTip() {
    form_.seekTip->hide();
    form_.windowDragTimer->setEnabled(true);
}
