#pragma once

#include "model/PlaylistStore.h"

// The arithmetic of the track steps. A step is a position in the current order: the entry
// number itself in normal order, a slot of the store's order in shuffle order.
namespace sequencing {

// One step forward from `currentStep`, wrapping at both ends: previous is this from two steps
// back, so from step 1 it lands on step `count`. The result never falls below 0: with an empty
// store repeated previous steps would otherwise walk ever further below the first entry, and the
// next store would play nothing until as many next steps had climbed back.
inline int nextStep(int currentStep, int count) {
    int step = currentStep + 1;
    if (step < 1) {
        step += count;
    }
    if (step > count) {
        step = 1;
    }
    return step < 0 ? 0 : step;
}

// The entry a step plays; outside the store it names no entry, whose title and path are empty.
inline int entryForStep(int step, bool shuffle, const PlaylistStore& store) {
    return shuffle ? store.order(step) : step;
}

}  // namespace sequencing
