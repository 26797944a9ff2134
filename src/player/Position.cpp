#include "player/Position.h"

#include "app/Program.h"
#include "app/Twips.h"
#include "player/Form1.h"

Position::Position(Form1& form)
    : QObject(&form), form_(form), notchLeft_(form.controlLeftTwips(*form.imgnotch)) {
    // The notch lies over the bar, so that a press on it is the notch's; the tooltip over all.
    form_.imgnotch->raise();
    form_.lblST->raise();
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

void Position::Form_MouseMove() {
    form_.lblST->hide();
    form_.tmrMove->setEnabled(true);
}
