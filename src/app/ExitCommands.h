#pragma once

class Program;
class QCloseEvent;

// "X", "Exit" and the tray's "Beenden": after the optional question the process ends at once.
void exitCommand(Program& program);
// The window system asks the main window to close.
void confirmClose(Program& program, QCloseEvent* event);
