#include "player/Sequencing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using sequencing::entryForStep;
using sequencing::nextStep;

PlaylistStore storeWith(int count, std::vector<int> order) {
    std::vector<PlaylistStore::Entry> entries;
    for (int number = 1; number <= count; ++number) {
        entries.push_back({QString::number(number), QString("/m/%1.mp3").arg(number)});
    }
    PlaylistStore store;
    store.fill(std::move(entries), std::move(order));
    return store;
}

int previousStep(int mp3pos, int count) {
    return nextStep(mp3pos - 2, count);
}

TEST(Sequencing, NormalOrderWrapsAtBothEnds) {
    EXPECT_EQ(nextStep(1, 3), 2);
    EXPECT_EQ(nextStep(3, 3), 1);
    EXPECT_EQ(previousStep(3, 3), 2);
    EXPECT_EQ(previousStep(1, 3), 3);
    // A removal can leave the position past the end: next starts over.
    EXPECT_EQ(nextStep(7, 3), 1);
}

TEST(Sequencing, PreviousBeforeAnythingPlayedLandsOnTheSecondToLast) {
    EXPECT_EQ(previousStep(0, 5), 4);
    EXPECT_EQ(previousStep(0, 2), 1);
    // A single entry: the empty slot 0, which names no entry in either order.
    const PlaylistStore single = storeWith(1, {1});
    const int step = previousStep(0, single.count());
    EXPECT_EQ(step, 0);
    EXPECT_EQ(single.path(entryForStep(step, false, single)), "");
    EXPECT_EQ(single.path(entryForStep(step, true, single)), "");
}

TEST(Sequencing, EmptyStorePlaysNothingAndPreviousDoesNotDriftAway) {
    const PlaylistStore empty;
    EXPECT_EQ(nextStep(0, 0), 1);
    EXPECT_EQ(empty.path(entryForStep(1, false, empty)), "");
    EXPECT_EQ(entryForStep(1, true, empty), 0);

    int mp3pos = 0;
    for (int press = 0; press < 10; ++press) {
        mp3pos = previousStep(mp3pos, 0);
        EXPECT_EQ(empty.path(entryForStep(mp3pos, false, empty)), "");
    }
    // Once folders are added, the first next plays the first entry.
    EXPECT_EQ(nextStep(mp3pos, 3), 1);
}

TEST(Sequencing, ShufflePassesRepeatTheSamePermutation) {
    const std::vector<int> order{3, 5, 1, 4, 2};
    const PlaylistStore store = storeWith(5, order);
    std::vector<int> played;
    int mp3pos = 0;
    for (int step = 0; step < 10; ++step) {
        mp3pos = nextStep(mp3pos, store.count());
        played.push_back(entryForStep(mp3pos, true, store));
    }
    EXPECT_EQ(played, (std::vector<int>{3, 5, 1, 4, 2, 3, 5, 1, 4, 2}));
}

TEST(Sequencing, NextAfterPlaySelectedContinuesFromTheSelectedLine) {
    const PlaylistStore store = storeWith(8, {8, 6, 4, 2, 1, 3, 5, 7});
    const int selectedLine = 4;
    const int mp3pos = selectedLine + 1;  // what play-selected leaves, in either order
    const int step = nextStep(mp3pos, store.count());
    EXPECT_EQ(entryForStep(step, true, store), 3);  // order(6)
    EXPECT_EQ(entryForStep(step, false, store), 6);
}

}  // namespace
