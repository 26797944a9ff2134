#include "model/PlaybackModel.h"

#include <gtest/gtest.h>

namespace {

using Direction = PlaybackModel::Direction;
using Order = PlaybackModel::Order;
using Start = PlaybackModel::Start;

std::vector<PlaylistStore::Entry> entries(int count) {
    std::vector<PlaylistStore::Entry> result;
    for (int number = 1; number <= count; ++number) {
        result.push_back({QString("t%1").arg(number), QString("/m/t%1.mp3").arg(number)});
    }
    return result;
}

TEST(PlaybackModel, StepsWrapAtBothEndsAndTakeTheirEntryFromTheOrderInForce) {
    PlaybackModel model;
    model.fillPlaylist(entries(3), {3, 1, 2});
    const auto to = [&model](Direction direction) {
        const PlaybackModel::Step step = model.stepTo(direction);
        return std::pair(step.position, step.entry);
    };
    // Before anything played, back lands on the second-to-last entry.
    EXPECT_EQ(to(Direction::Back), std::pair(2, 2));
    model.setOrder(Order::Shuffle, true);
    EXPECT_EQ(to(Direction::Forward), std::pair(1, 3));
    EXPECT_EQ(to(Direction::Back), std::pair(2, 1));
    // Shuffle no longer in force (chosen again from the tray): list order.
    model.setOrder(Order::Shuffle, false);
    EXPECT_FALSE(model.shuffle());
    EXPECT_EQ(to(Direction::Forward), std::pair(1, 1));
    // A removal can leave the position past the end: the next step starts over.
    model.startTrack({3, 3}, "t3", Start::Step);
    model.removeEntry(3);
    EXPECT_EQ(to(Direction::Forward), std::pair(1, 1));
    // For a single entry, back from the start is the empty slot 0.
    model.fillPlaylist(entries(1), {1});
    model.startTrack({0, 0}, {}, Start::Step);
    EXPECT_EQ(to(Direction::Back), std::pair(0, 0));
}

TEST(PlaybackModel, StepsBackInAnEmptyPlaylistDoNotDriftAway) {
    PlaybackModel model;
    for (int press = 0; press < 10; ++press) {
        model.startTrack(model.stepTo(Direction::Back), {}, Start::Step);
        EXPECT_GE(model.step(), 0);
    }
    // Once folders are added, the first next plays the first entry.
    model.fillPlaylist(entries(3), {1, 2, 3});
    EXPECT_EQ(model.stepTo(Direction::Forward).entry, 1);
}

}  // namespace
