#pragma once

class Program;

// What the main window, start-up and the folder browser do with the playlist window and the
// saved folder list.

// Shows the playlist window under the main window and fills it from the store.
void showPlaylist(Program& program);
// Writes the folder browser's list to folders.dat. The caller goes on either way; when it
// could not be written the user is told, since the list is then lost at the next reload.
void writeFoldersDat(Program& program);
// Reloads the folder list from folders.dat and asks for a scan. A missing file leaves the
// list empty and asks for nothing: the state of a fresh installation.
void reloadFoldersDat(Program& program);
