#pragma once

#include <QPoint>

// What the docking saw of the two windows on the screen: where the window manager held them
// while the playlist window was to go to target, for how many ticks in a row, and the place of
// the playlist window that the main window last moved up onto.
struct DockingState {
    QPoint target;
    QPoint mainHeldAt;
    QPoint listHeldAt;
    int misses = 0;
    QPoint gaveInAt{-1, -1};
};
