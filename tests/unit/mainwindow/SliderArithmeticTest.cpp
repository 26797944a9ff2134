#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "mainwindow/PositionMath.h"
#include "mainwindow/VolumeMath.h"

// The designed position bar and volume track, in twips.
const position::BarGeometry kBar{1560, 3375, 210};
const volume::TrackGeometry kTrack{5400, 855, 210};

TEST(TimeText, RoundsHalvesToEvenAndNeverWrapsMinutesIntoHours) {
    const std::vector<std::pair<double, const char*>> cases{
        {0, "0:00"},     {65.4, "1:05"},  {59.5, "1:00"},  {125.5, "2:06"},
        {124.5, "2:04"}, {3725, "62:05"}, {-0.01, "0:00"},
    };
    for (const auto& [seconds, text] : cases) {
        EXPECT_EQ(position::timeText(seconds), text) << seconds;
    }
}

TEST(SeekTip, CutsThePercentDownAndSitsCentredInsideTheWindow) {
    EXPECT_EQ(position::seekTipText(225, 83.0 / 225), "1:23/3:45  36%");
    EXPECT_EQ(position::seekTipLeft(kBar, 2830, 1000, 6405), 2435);
    EXPECT_EQ(position::seekTipLeft(kBar, 1560, 3500, 6405), 0);
    // 100 twips clear of the right edge.
    EXPECT_EQ(position::seekTipLeft(kBar, 4725, 600, 5000), 4300);
}

TEST(VolumeRange, UpperHalfAndLowerBoundHeldToSixteenBits) {
    struct Case {
        long lower, upper;
        int min, max;
    };
    const std::vector<Case> cases{
        {0, 65536, 32767, 0},   // a sound server's: half of it would not fit
        {3, 255, 127, 3},       // odd upper bound, lower bound not 0
        {-100, 101, 50, -100},  // negative lower bound
        {0, 1, 0, 0},           // no length at all
    };
    for (const Case& c : cases) {
        const volume::SliderRange range = volume::rangeFromBounds(c.lower, c.upper);
        EXPECT_EQ(std::pair(range.min, range.max), std::pair(c.min, c.max))
            << c.lower << ".." << c.upper;
    }
}

TEST(VolumeThumb, RoundsHalvesToEvenAndNeverDividesByZero) {
    // 16383.5 rounds to the even 16384.
    EXPECT_EQ(volume::valueFromThumb(kTrack, 5722.5, 32767), 16384);
    EXPECT_EQ(volume::percentage(0, 0), 0);
    EXPECT_EQ(volume::thumbLeftForValue(kTrack, 0, 0), 5400);
}
