#include "mainwindow/VolumeMath.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "util/Twips.h"

namespace volume {

namespace {

int toSixteenBits(long value) {
    return static_cast<int>(std::clamp<long>(value, std::numeric_limits<std::int16_t>::min(),
                                             std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

SliderRange rangeFromBounds(long lowerBound, long upperBound) {
    return SliderRange{toSixteenBits(upperBound / 2), toSixteenBits(lowerBound)};
}

double thumbLeftForMouse(const TrackGeometry& track, double mouseX, double formLeft) {
    return track.clamp(mouseX - formLeft - track.thumbWidth / 2);
}

int valueFromThumb(const TrackGeometry& track, double thumbLeft, int span) {
    if (track.travel() <= 0) {
        return 0;
    }
    return twips::roundEven((thumbLeft - track.trackLeft) / track.travel() * span);
}

double thumbLeftForValue(const TrackGeometry& track, int value, int span) {
    const double share = span != 0 ? static_cast<double>(value) / span : 0.0;
    return share * track.travel() + track.trackLeft;
}

int percentage(int value, int span) {
    return span != 0 ? static_cast<int>(std::floor(static_cast<double>(value) / span * 100)) : 0;
}

int heardPercentage(int value, int span) {
    return span != 0 ? static_cast<int>(std::lround(static_cast<double>(value) / span * 100)) : 0;
}

int valueForMixerLevel(long level, int span) {
    return static_cast<int>(std::clamp<long>(std::lround(static_cast<double>(level) / 2), 0, span));
}

int valueForPercentage(int percent, int span) {
    if (span <= 0) {
        return 0;
    }
    const int wanted = std::clamp(percent, 0, 100);
    int value = static_cast<int>(std::ceil(static_cast<double>(wanted) * span / 100));
    // Rounding in the division may land a step off either side.
    while (value > 0 && percentage(value - 1, span) >= wanted) {
        --value;
    }
    while (value < span && percentage(value, span) < wanted) {
        ++value;
    }
    return value;
}

}  // namespace volume
