#pragma once

#include <QObject>

#include "mainwindow/PositionMath.h"
#include "skin/SkinSlider.h"

class MainWindow;

// The clock and the notch of the playing track, and seeking by dragging the notch or clicking
// the bar. One timer drives it all: the notch follows the mouse only on its ticks, and a release
// seeks to where the last tick put the notch. For the keyboard and screen readers the bar is a
// slider of the playing position in seconds.
class PositionBar : public QObject, public SkinSlider {
    Q_OBJECT
public:
    // How far Left and Right jump.
    static constexpr double kKeyStepSeconds = 5;

    explicit PositionBar(MainWindow& form);

    // The tick of positionTimer and a click on the bar: the clock, then the notch.
    void showPosition();

    // The mouse moved over the bare window, or the tray icon sent a message.
    void hideSeekTip();

    // Jumps as a drop of the notch does, to `seconds` held within the track, and shows it.
    // A track of unknown length has nowhere to jump to.
    void seekTo(double seconds);
    void seekBy(double seconds);

    double sliderValue() const override;
    // "0:11 von 0:30"
    QString sliderText() const override;
    double sliderMaximum() const override;
    double sliderStep() const override { return kKeyStepSeconds; }
    void moveSlider(double value) override { seekTo(value); }

    bool isDragging() const { return seekDrag_; }
    // The notch's left edge in twips, as the arithmetic keeps it (the widget sits on whole
    // pixels).
    double notchLeft() const { return notchLeft_; }

signals:
    // A release on the notch or the bar made the player jump, to this many seconds.
    void jumped(double seconds);

private:
    position::BarGeometry bar() const;
    void placeNotch(double left);
    void followMouse(double duration);

    MainWindow& form_;
    bool seekDrag_ = false;
    double notchLeft_;
    long announcedSecond_ = -1;  // the whole second screen readers were told last
};
