#pragma once

#include "platform/Mixer.h"

// The mixer procedures of the volume slider. Without a mixer nothing is found and nothing set.
namespace mixerhelpers {

// Fills `record` with the line's volume control; false (record untouched) when there is none.
bool findVolumeControl(Mixer* mixer, Mixer::Line line, MixerControl& record);

// Sets the control to `value`, held within the control's bounds. A record that found nothing
// (id 0) sets nothing: no other control is ever touched in its place.
bool setVolumeControl(Mixer* mixer, const MixerControl& record, long value);

}  // namespace mixerhelpers
