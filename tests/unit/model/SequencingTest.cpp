#include "model/Sequencing.h"

#include <gtest/gtest.h>

namespace {

using sequencing::nextStep;

int previousStep(int currentStep, int count) {
    return nextStep(currentStep - 2, count);
}

TEST(Sequencing, StepsFromPastTheEndAndBeforeAnythingPlayed) {
    // A removal can leave the position past the end: next starts over.
    EXPECT_EQ(nextStep(7, 3), 1);
    EXPECT_EQ(nextStep(0, 0), 1);
    // Before anything played, previous lands on the second-to-last entry; for a single entry
    // that is the empty slot 0.
    EXPECT_EQ(previousStep(0, 2), 1);
    EXPECT_EQ(previousStep(0, 1), 0);
}

TEST(Sequencing, PreviousInAnEmptyStoreDoesNotDriftAway) {
    int currentStep = 0;
    for (int press = 0; press < 10; ++press) {
        currentStep = previousStep(currentStep, 0);
        EXPECT_GE(currentStep, 0);
    }
    // Once folders are added, the first next plays the first entry.
    EXPECT_EQ(nextStep(currentStep, 3), 1);
}

}  // namespace
