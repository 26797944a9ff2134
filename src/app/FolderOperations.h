#pragma once

class FolderBrowser;
class OptionsDialog;
class Program;

// Connects the options dialog's requests: it holds the player's windows while shown, and its
// "..." opens the standard-folder chooser above it.
void connectOptionsDialog(Program& program, OptionsDialog& dialog);
// Connects the folder browser's ways out: a commit writes folders.dat and makes the playlist
// window anew; any way out reads the list back from folders.dat, rescans, and gives the player's
// windows back.
void connectFolderBrowser(Program& program, FolderBrowser& browser);
