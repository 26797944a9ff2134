#include "model/PlaylistStore.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

std::vector<PlaylistStore::Entry> entries(int count) {
    std::vector<PlaylistStore::Entry> result;
    for (int number = 1; number <= count; ++number) {
        result.push_back({QString("t%1").arg(number), QString("/m/t%1.mp3").arg(number)});
    }
    return result;
}

std::vector<int> orderOf(const PlaylistStore& store) {
    std::vector<int> order;
    for (int slot = 1; slot <= store.count(); ++slot) {
        order.push_back(store.order(slot));
    }
    return order;
}

std::vector<int> reversed(int count) {
    std::vector<int> order(count);
    std::iota(order.rbegin(), order.rend(), 1);
    return order;
}

TEST(PlaylistStore, HoldsItsEntriesAndNothingOutsideThem) {
    PlaylistStore store;
    store.fill(entries(3), {2, 3, 1});
    EXPECT_EQ(store.titles(), QStringList({"t1", "t2", "t3"}));
    EXPECT_EQ(store.path(3), "/m/t3.mp3");
    EXPECT_EQ(orderOf(store), (std::vector<int>{2, 3, 1}));
    for (const int slot : {-1, 0, 4}) {
        EXPECT_EQ(store.title(slot) + store.path(slot), "") << slot;
        EXPECT_EQ(store.order(slot), 0) << slot;
    }
    // Blanked while a new scan is pending: the count and the order stay.
    store.blankEntries();
    EXPECT_EQ(store.titles(), QStringList({"", "", ""}));
    EXPECT_EQ(store.path(2), "");
    EXPECT_EQ(orderOf(store), (std::vector<int>{2, 3, 1}));
}

TEST(PlaylistStore, FillReplacesEverythingAndKeepsAtMostTheCapacity) {
    PlaylistStore store;
    store.fill(entries(2500), reversed(2500));
    EXPECT_EQ(store.count(), 2000);
    EXPECT_EQ(store.title(2000), "t2000");
    // The order drawn for all 2500 files keeps its relative order among the entries kept.
    EXPECT_EQ(orderOf(store), reversed(2000));

    // An order that is no permutation is made one.
    store.fill(entries(5), {4, 0, 4, 9, -1, 2});
    EXPECT_EQ(store.count(), 5);
    EXPECT_EQ(orderOf(store), (std::vector<int>{4, 2, 1, 3, 5}));
    store.fill(entries(3), {});
    EXPECT_EQ(orderOf(store), (std::vector<int>{1, 2, 3}));
}

TEST(PlaylistStore, RemovingAnEntryMovesTheLaterOnesDownAndRenumbersTheOrder) {
    PlaylistStore middle;
    middle.fill(entries(5), {5, 3, 1, 4, 2});
    middle.removeEntry(3);
    EXPECT_EQ(middle.titles(), QStringList({"t1", "t2", "t4", "t5"}));
    EXPECT_EQ(orderOf(middle), (std::vector<int>{4, 1, 3, 2}));

    // A slot outside the entries changes nothing; the last and the first go like any other.
    for (const int slot : {-1, 0, 5, 4, 1}) {
        middle.removeEntry(slot);
    }
    EXPECT_EQ(middle.titles(), QStringList({"t2", "t4"}));
    EXPECT_EQ(orderOf(middle), (std::vector<int>{2, 1}));
}

}  // namespace
