#pragma once

class Program;

// Creates the main window and its hidden helpers, reads settings.cfg into the settings
// holders, arranges the playlist window as the settings say, wires the main window's own
// events and shows it.
void startUp(Program& program);
