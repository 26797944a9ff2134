#pragma once

#include <QString>

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

// "Save": writes the folder list to a file the user chooses; the dialog starts in initDir. A file
// that cannot be written is named in a message, and its old content stays.
void saveFolderList(Program& program, const QString& initDir);

enum class AddFolderFrom { MainWindow, PlaylistWindow };
// "Insert" / "Verzeichnis hinzufügen": opens the folder browser at the standard folder, with
// the main and playlist windows hidden (from the main window) or disabled (from the playlist
// window) until the browser is left.
void addFolder(Program& program, AddFolderFrom from);

// Writes the folder browser's list to folders.dat. The caller goes on either way; when it
// could not be written the user is told, since the list is then lost at the next reload.
void writeFoldersDat(Program& program);
// Reloads the folder list from folders.dat and asks for a scan. A missing file leaves the
// list empty and asks for nothing: the state of a fresh installation.
void reloadFoldersDat(Program& program);
