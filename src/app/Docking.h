#pragma once

#include <QPoint>

class Program;

// Twips by which start-up and activation place the playlist window into the main window's
// bottom edge; the docking tick moves it straight under it again.
inline constexpr double kActivationOverlap = 300;
// The main window's height is cut to this at each activation.
inline constexpr double kMaxMainHeight = 2355;

// Half the screen width less half the main window's top: the playlist window takes the main
// window's left only while the main window's left does not exceed it.
float dockingLimit(Program& program);

// Each tick of the docking timer: keep the playlist window under the main window. Says
// whether the docking must look again at the next tick.
bool dockPlaylist(Program& program);

// The docking timer's tick. A tick that finds the playlist window in place lets the timer
// sleep until one of the two windows moves or changes size, or the screen does: until then
// every tick would find the same, and an idle player would wake up 66 times a second for it.
void keepDocked(Program& program);
// Something that can change the docking happened: the sleeping docking timer ticks again.
void wakeDocking(Program& program);

// Puts a loaded playlist window into the main window's bottom edge, as start-up and each
// activation do.
void placePlaylistOverlapping(Program& program);

// Moves the main window, at its designed place, the least distance that brings it wholly on
// the screen, with the playlist window under it where that is shown.
void placeMainWindowOnScreen(Program& program);

// Each activation of the main window.
void runActivationSteps(Program& program);
