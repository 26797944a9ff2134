#pragma once

#include <QString>

// A skin label that works as a slider, as the keyboard and screen readers reach it: a value
// from 0 to a maximum, in the unit a screen reader reads out. Its name is the label's
// accessible name.
class SkinSlider {
public:
    virtual ~SkinSlider() = default;

    virtual double sliderValue() const = 0;
    // The value as a screen reader should say it; empty: the number does.
    virtual QString sliderText() const { return {}; }
    virtual double sliderMaximum() const = 0;
    // How far one press of Left or Right moves it.
    virtual double sliderStep() const = 0;
    // Moves it to `value`, held within its range, as a drag that is still held does.
    virtual void moveSlider(double value) = 0;
    // The change is over, as at the release of a drag.
    virtual void endSliderChange() {}
};
