#pragma once

#include <QPoint>

class Program;

// Puts the playlist window at target (pixels) as the docking tick does, and checks that the
// window manager left both windows where the program put them. A window manager keeps windows
// partly inside the work area (near the bottom edge the playlist window may not go under the
// main window) or clear of its panels, and may not say so: where it holds a window elsewhere
// for long enough, the docking gives in to it and never lets the two overlap. Says whether to
// look again at the next tick.
bool dockAt(Program& program, QPoint target);
