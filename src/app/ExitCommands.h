#pragma once

class Program;

// "X", "Exit", the tray's "Beenden" and the window system closing the main window: after the
// optional question the process ends at once. Says whether it ends.
bool exitCommand(Program& program);
