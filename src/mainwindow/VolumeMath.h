#pragma once

// The arithmetic of the volume slider, in twips and slider values. Kept apart from the window
// so that it can be checked on its own.
#include "mainwindow/SlideGeometry.h"

namespace volume {

// The track the thumb slides along.
using TrackGeometry = SlideGeometry;

// The slider's range as the mixer's bounds give it: the lower bound becomes the maximum and half
// the upper bound the minimum, so the range runs backwards; only its length is ever used.
// Values beyond 16 bits are held at its ends (PulseAudio's 0..65536 would give 32768).
struct SliderRange {
    int min = 0;
    int max = 0;
};
SliderRange rangeFromBounds(long lowerBound, long upperBound);

// The thumb, centred on the mouse, held between the track's ends.
double thumbLeftForMouse(const TrackGeometry& track, double mouseX, double formLeft);

// The slider value the thumb stands for, 0 to span; halves round to even.
int valueFromThumb(const TrackGeometry& track, double thumbLeft, int span);
// Where the thumb shows a value; at the left end when the slider has no length.
double thumbLeftForValue(const TrackGeometry& track, int value, int span);
// Whole percent, rounded down; 0 when the slider has no length.
int percentage(int value, int span);
// Whole percent, the nearest: the level the mixer's own display shows for it.
int heardPercentage(int value, int span);
// The least value that shows `percent` (held within 0 to 100); 0 when the slider has no length.
// Both percentages above read it as `percent`.
int valueForPercentage(int percent, int span);
// The value the mixer's speakers level stands for: the mixer is set to twice the value.
int valueForMixerLevel(long level, int span);

// The four tray steps, in twips: about 10 % and 5 % of the designed track.
constexpr double kStepUp10 = 65;
constexpr double kStepUp5 = 32;
constexpr double kStepDown5 = -32;
constexpr double kStepDown10 = -65;

}  // namespace volume
