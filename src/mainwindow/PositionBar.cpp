#include "mainwindow/PositionBar.h"

#include <algorithm>
#include <cmath>

#include "app/Program.h"
#include "mainwindow/MainWindow.h"
#include "util/Twips.h"

Position::Position(Form1& form)
    : QObject(&form), form_(form), notchLeft_(form.controlLeftTwips(*form.imgnotch)) {
    // The notch lies over the bar, so that a press on it is the notch's; the tooltip over all.
    form_.imgnotch->raise();
    form_.lblST->raise();
    form_.lblbar->setSlider(this);
    connect(form_.tmrPT, &FormTimer::timeout, this, &Position::tmrPT_Timer);
    connect(form_.lblbar, &SkinLabel::clicked, this, &Position::lblbar_Click);
    connect(form_.imgnotch, &SkinLabel::mouseDown, this, &Position::imgnotch_MouseDown);
    connect(form_.lblbar, &SkinLabel::mouseDown, this, &Position::lblbar_MouseDown);
    connect(form_.imgnotch, &SkinLabel::mouseUp, this, &Position::imgnotch_MouseUp);
    connect(form_.lblbar, &SkinLabel::mouseUp, this, &Position::lblbar_MouseUp);
    connect(&form_, &Form1::mouseMoved, this, &Position::Form_MouseMove);
}

position::BarGeometry Position::bar() const {
    return {form_.controlLeftTwips(*form_.lblbar), form_.controlWidthTwips(*form_.lblbar),
            form_.controlWidthTwips(*form_.imgnotch)};
}

void Position::placeNotch(double left) {
    notchLeft_ = left;
    form_.setControlLeftTwips(*form_.imgnotch, left);  // moves only to another pixel
}

void Position::SeekTick() {
    const MediaPlayer* player = form_.MediaPlayer1.get();
    const double now = player != nullptr ? player->currentPosition() : 0.0;
    const double length = player != nullptr ? player->duration() : 0.0;
    form_.lbltime->setCaption(position::timeText(now) + QStringLiteral(" / ") +
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
        form_.lblbar->announceSliderValue();
    }
}

void Position::followMouse(double duration) {
    const Desktop& desktop = form_.program().desktop();
    const position::BarGeometry geometry = bar();
    const double mouseX = desktop.twipsPerPixelX() * desktop.cursorPos().x();
    placeNotch(position::notchLeftForMouse(geometry, mouseX, twips::left(form_, desktop)));

    SkinLabel& tip = *form_.lblST;
    tip.setCaption(position::seekTipText(duration, position::notchFraction(geometry, notchLeft_)));
    form_.setControlLeftTwips(
        tip, position::seekTipLeft(geometry, notchLeft_, form_.controlWidthTwips(tip),
                                   twips::width(form_, desktop)));
}

void Position::imgnotch_MouseDown() {
    seekDrag_ = true;
    form_.lblST->show();
}

void Position::imgnotch_MouseUp() {
    if (MediaPlayer* player = form_.MediaPlayer1.get()) {
        // A file of unknown length has nowhere to seek to.
        if (const auto target = position::seekTarget(bar(), notchLeft_, player->duration())) {
            player->setCurrentPosition(*target);
            emit jumped(*target);
        }
    }
    seekDrag_ = false;
    form_.lblST->hide();
}

void Position::seekTo(double seconds) {
    MediaPlayer* player = form_.MediaPlayer1.get();
    const double length = player != nullptr ? player->duration() : 0.0;
    if (!(length > 0) || !std::isfinite(seconds)) {
        return;
    }
    const double target = std::clamp(seconds, 0.0, length);
    player->setCurrentPosition(target);
    emit jumped(target);
    SeekTick();
}

void Position::seekBy(double seconds) {
    if (const MediaPlayer* player = form_.MediaPlayer1.get()) {
        seekTo(player->currentPosition() + seconds);
    }
}

QString Position::sliderName() const {
    return QStringLiteral("Position");
}

double Position::sliderValue() const {
    const MediaPlayer* player = form_.MediaPlayer1.get();
    return player != nullptr ? player->currentPosition() : 0.0;
}

QString Position::sliderText() const {
    return QStringLiteral("%1 von %2")
        .arg(position::timeText(sliderValue()), position::timeText(sliderMaximum()));
}

double Position::sliderMaximum() const {
    const MediaPlayer* player = form_.MediaPlayer1.get();
    return player != nullptr ? player->duration() : 0.0;
}

double Position::sliderStep() const {
    return kKeyStepSeconds;
}

void Position::Form_MouseMove() {
    form_.lblST->hide();
    form_.tmrMove->setEnabled(true);
}
