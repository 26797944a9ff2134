#pragma once

class Program;

// "X", "Exit", the tray's "Beenden" and the window system closing the main window all end here.
// In order: the question "Soll das Programm beendet werden ?" when the settings ask for it (once
// at a time: a second exit command brings the open question to the front); then the main
// window's players and the folder browser's preview stop, the tray icon is removed, and the
// process ends at once, saving nothing. Says whether the program ends.
bool exitCommand(Program& program);
