#pragma once

#include "formats/SettingsFile.h"

class Program;

// The settings live in the options dialog's controls and the main window's volume holder;
// these move them to and from settings.cfg.
Settings settingsFromHolders(Program& program);
// Puts every value the read found into its holder, in file order; a volume reaches the mixer.
void applyToHolders(Program& program, const SettingsRead& read);
VolumeRange volumeRange(Program& program);
// Rewrites settings.cfg from the holders; false when the file could not be written.
bool saveSettings(Program& program);
