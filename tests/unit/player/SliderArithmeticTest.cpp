#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "player/PositionMath.h"
#include "player/VolumeMath.h"

namespace {

// The designed position bar and volume track, in twips.
const position::BarGeometry kBar{1560, 3375, 210};
const volume::TrackGeometry kTrack{5400, 855, 210};
constexpr double kNotchRightStop = 1560 + 3375 - 210;
constexpr double kThumbRightStop = 5400 + 855 - 210;

TEST(TimeText, RoundsHalvesToEvenAndNeverWrapsMinutesIntoHours) {
    const std::vector<std::pair<double, const char*>> cases{
        {0, "0:00"},     {65.4, "1:05"},  {59.5, "1:00"},  {125.5, "2:06"},
        {124.5, "2:04"}, {3725, "62:05"}, {-0.01, "0:00"},
    };
    for (const auto& [seconds, text] : cases) {
        EXPECT_EQ(position::timeText(seconds), text) << seconds;
    }
}

TEST(Notch, RunsFromTheBarsLeftEndToItsRightStopAndRestsWithoutALength) {
    EXPECT_EQ(position::notchLeftForPosition(kBar, 0, 200), 1560);
    EXPECT_EQ(position::notchLeftForPosition(kBar, 200, 200), kNotchRightStop);
    EXPECT_NEAR(position::notchLeftForPosition(kBar, 50, 200), 1560 + 3165 / 4.0, 1e-3);
    // Nothing loaded or a file the player could not open: no division by zero.
    EXPECT_EQ(position::notchLeftForPosition(kBar, 12, 0), 1560);
}

TEST(Notch, DragFollowsTheMouseBetweenTheStops) {
    // With the window at 1500 twips the notch sits 170 twips left of the mouse.
    EXPECT_EQ(position::notchLeftForMouse(kBar, 1500 + 3000, 1500), 2830);
    EXPECT_EQ(position::notchLeftForMouse(kBar, 0, 1500), 1560);
    EXPECT_EQ(position::notchLeftForMouse(kBar, 20000, 1500), kNotchRightStop);
}

TEST(SeekTip, ShowsTargetLengthAndPercentWithoutALengthToo) {
    EXPECT_EQ(position::seekTipText(225, 83.0 / 225), "1:23/3:45  36%");
    EXPECT_EQ(position::seekTipText(225, 1), "3:45/3:45  100%");
    EXPECT_EQ(position::seekTipText(0, 0.5), "0:00/0:00  50%");
}

TEST(SeekTip, CentredOverTheNotchAndKeptInsideTheWindow) {
    EXPECT_EQ(position::seekTipLeft(kBar, 2830, 1000, 6405), 2830 + 105 - 500);
    EXPECT_EQ(position::seekTipLeft(kBar, 1560, 3500, 6405), 0);
    // 100 twips clear of the right edge.
    EXPECT_EQ(position::seekTipLeft(kBar, 4725, 600, 5000), 5000 - 100 - 600);
}

TEST(SeekTarget, IsTheNotchsShareOfTheLengthAndNothingWithoutALength) {
    EXPECT_EQ(position::seekTarget(kBar, 1560 + 3165 / 2.0, 200), 100);
    EXPECT_EQ(position::seekTarget(kBar, kNotchRightStop, 200), 200);
    EXPECT_EQ(position::seekTarget(kBar, 2000, 0), std::nullopt);
}

TEST(VolumeRange, UpperHalfAndLowerBoundHeldToSixteenBits) {
    struct Case {
        long lower, upper;
        int min, max, span;
    };
    const std::vector<Case> cases{
        {0, 65535, 32767, 0, 32767},  // the usual bounds
        {0, 65536, 32767, 0, 32767},  // a sound server's: half of it would not fit
        {3, 255, 127, 3, 124},        // odd upper bound, lower bound not 0
        {-100, 101, 50, -100, 150},   // negative lower bound
        {0, 1, 0, 0, 0},              // no length at all
    };
    for (const Case& c : cases) {
        const volume::SliderRange range = volume::rangeFromBounds(c.lower, c.upper);
        EXPECT_EQ(range.min, c.min) << c.lower << ".." << c.upper;
        EXPECT_EQ(range.max, c.max) << c.lower << ".." << c.upper;
        EXPECT_EQ(std::abs(range.max - range.min), c.span) << c.lower << ".." << c.upper;
    }
}

TEST(VolumeThumb, ValueAndPercentAtBothStopsAndBetween) {
    EXPECT_EQ(volume::valueFromThumb(kTrack, 5400, 32767), 0);
    EXPECT_EQ(volume::valueFromThumb(kTrack, kThumbRightStop, 32767), 32767);
    // 16383.5 rounds to the even 16384.
    EXPECT_EQ(volume::valueFromThumb(kTrack, 5400 + 645 / 2.0, 32767), 16384);
    EXPECT_EQ(volume::percentage(0, 32767), 0);
    EXPECT_EQ(volume::percentage(32767, 32767), 100);
    EXPECT_EQ(volume::percentage(16384, 32767), 50);
    EXPECT_EQ(volume::percentage(24574, 32767), 74);  // 74.998: rounded down
    // A slider without length never divides by zero.
    EXPECT_EQ(volume::percentage(0, 0), 0);
    EXPECT_EQ(volume::thumbLeftForValue(kTrack, 0, 0), 5400);
    EXPECT_EQ(volume::thumbLeftForValue(kTrack, 32767, 32767), kThumbRightStop);
}

TEST(VolumeThumb, CentredOnTheMouseAndHeldOnTheTrack) {
    EXPECT_EQ(volume::thumbLeftForMouse(kTrack, 1500 + 5700, 1500), 5700 - 105);
    EXPECT_EQ(volume::thumbLeftForMouse(kTrack, 0, 1500), 5400);
    EXPECT_EQ(volume::thumbLeftForMouse(kTrack, 30000, 1500), kThumbRightStop);
}

}  // namespace
