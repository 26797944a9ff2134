#include "model/PlaybackModel.h"

#include <gtest/gtest.h>

namespace {

using Direction = PlaybackModel::Direction;
constexpr auto kStep = PlaybackModel::Start::Step;

TEST(PlaybackModel, StepsFromPastTheEndAndBeforeAnythingPlayed) {
    PlaybackModel model;
    model.fillPlaylist({{"a", "/m/a.mp3"}, {"b", "/m/b.mp3"}}, {1, 2});
    // Before anything played, back lands on the second-to-last entry.
    EXPECT_EQ(model.stepTo(Direction::Back).entry, 1);
    // A removal can leave the position past the end: the next step starts over.
    model.startTrack({2, 2}, "b", kStep);
    model.removeEntry(2);
    EXPECT_EQ(model.stepTo(Direction::Forward).entry, 1);
    // For a single entry, back from before the start is the empty slot 0.
    model.startTrack({0, 0}, {}, kStep);
    EXPECT_EQ(model.stepTo(Direction::Back).entry, 0);
}

TEST(PlaybackModel, StepsBackInAnEmptyPlaylistDoNotDriftAway) {
    PlaybackModel model;
    for (int press = 0; press < 10; ++press) {
        model.startTrack(model.stepTo(Direction::Back), {}, kStep);
        EXPECT_GE(model.step(), 0);
    }
    // Once folders are added, the first next plays the first entry.
    model.fillPlaylist({{"a", "/m/a.mp3"}, {"b", "/m/b.mp3"}}, {2, 1});
    EXPECT_EQ(model.stepTo(Direction::Forward).entry, 1);
}

}  // namespace
