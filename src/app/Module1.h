#pragma once

#include <QString>

class Program;

// The shared command procedure: "showpl" shows the playlist window under the main window.
void plaction(Program& program, const QString& command);
