#pragma once

class OptionsDialog;
class Program;

// Connects the options dialog's requests: it holds the player's windows while shown, and its
// "..." opens the standard-folder chooser above it.
void connectOptionsDialog(Program& program, OptionsDialog& dialog);
