#include "mainwindow/MixerHelpers.h"

#include <algorithm>

namespace mixerhelpers {

bool findVolumeControl(Mixer* mixer, Mixer::Line line, MixerControl& record) {
    if (mixer == nullptr) {
        return false;
    }
    const std::optional<MixerControl> found = mixer->volumeControl(line);
    if (!found) {
        return false;
    }
    record = *found;
    return true;
}

bool setVolumeControl(Mixer* mixer, const MixerControl& record, long value) {
    if (mixer == nullptr || record.id == 0) {
        return false;
    }
    const long low = std::min(record.lowerBound, record.upperBound);
    const long high = std::max(record.lowerBound, record.upperBound);
    return mixer->setValue(record.id, std::clamp(value, low, high));
}

}  // namespace mixerhelpers
