#pragma once

class Program;

// Connects the main window's requests and the program's actions to what they do: the one place
// where a request of one window reaches another window or the program. Made at start-up, once
// the main window holds its settings.
void wireWindows(Program& program);
