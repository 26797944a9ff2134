#pragma once

#include <QString>

class PlaylistWindow;
class Program;
class TitleSearchWindow;

// What the main window, start-up, the folder browser and the playlist window's menu do with
// the playlist window, the title search, the track information and the saved folder list.

// Shows the playlist window under the main window and fills it from the store.
void showPlaylist(Program& program);
// The hide glyph: unloads the playlist window.
void hidePlaylist(Program& program);
// "+" / "-": enlarges a normal playlist window or shrinks an enlarged one.
void togglePlaylistSize(Program& program);
// The two sizes; the colour of the "+" / "-" label records which one is in use.
void setPlaylistEnlarged(Program& program, bool enlarged);
// "Clear" / "Alles Löschen": offers to save the folder list, then empties the displayed list
// (the store keeps its entries until the next scan).
void clearWithOffer(Program& program);
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

// The path of the selected playlist line; "" without a selection or a slot in the store.
QString selectedPath(const Program& program);

// Connects a newly loaded window's requests to what they do.
void connectPlaylistWindow(Program& program, PlaylistWindow& window);
void connectTitleSearch(Program& program, TitleSearchWindow& window);
