#pragma once

class Program;

// Reads settings.cfg into the settings holders, at start-up and at every opening of the options
// dialog: a line that cannot be used is passed over and its holder keeps its value. The volume
// goes back to the stored value.
void rereadSettings(Program& program);

// The main window's openers of the options dialog: the "Options" label, F3 and the tray menu's
// "Optionen".
void wireOptionsOpeners(Program& program);
