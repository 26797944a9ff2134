#pragma once

#include <QString>

class Program;

// The shared command procedure: "showpl" shows and fills the playlist window under the main
// window, "makeauto" saves the folder list in folders.dat, "openauto" reloads it from there
// and asks for a scan. Any other word does nothing.
void plaction(Program& program, const QString& command);
