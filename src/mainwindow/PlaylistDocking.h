#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class Program;

// Where the playlist window of the given size docks, given its place under the main window:
// there while it fits into the work area (the screen less the desktop's panels); else over the
// main window where it fits there; else on the side with more room. It never covers the main
// window, and it stays within the work area's left and right edges.
QPoint dockedPlace(QPoint under, QSize list, const QRect& main, const QRect& area);

// Puts the playlist window at target (pixels, its place under the main window, which
// dockedPlace keeps in the work area) as the docking tick does, and checks that the
// window manager left both windows where the program put them. A window manager keeps windows
// partly inside the work area (near the bottom edge the playlist window may not go under the
// main window) or clear of its panels, and may not say so: where it holds a window elsewhere
// for long enough, the docking gives in to it and never lets the two overlap. Says whether to
// look again at the next tick.
bool dockAt(Program& program, QPoint target);
