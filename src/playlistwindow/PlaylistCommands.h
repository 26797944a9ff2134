#pragma once

#include <QString>

class FileDialog;
class Program;

// What the main window's playlist buttons and the playlist window's menu do.

// "Clear" / "Alles Löschen": offers to save the folder list, then empties the displayed list
// (the store keeps its entries until the next scan).
void clearWithOffer(Program& program);
// Delete key: removes the selected line and its entry from the store.
void removeSelected(Program& program);
// "Save": writes the folder list to a file the user chooses; the dialog starts in initDir. A file
// that cannot be written is named in a message, and its old content stays.
void saveFolderList(Program& program, const QString& initDir);
// The same through another dialog. False when the dialog was cancelled or the file could not be
// written.
bool saveFolderListVia(Program& program, FileDialog& dialog, const QString& initDir);
// The hide glyph: unloads the playlist window.
void hidePlaylist(Program& program);
// The main window's playlist controls after the playlist window was shown: the hide glyph
// and the playlist menu enabled, the show glyph disabled, the playlist mark "1".
void markPlaylistShown(Program& program);
// "+" / "-": enlarges a normal playlist window or shrinks an enlarged one.
void togglePlaylistSize(Program& program);
// The two sizes; the colour of the "+" / "-" label records which one is in use.
void enlargePlaylist(Program& program);
void shrinkPlaylist(Program& program);

// The main window's public procedure that opens the folder browser at the standard folder.
void openFolderBrowser(Program& program);

enum class AddFolderFrom { MainWindow, PlaylistWindow };
// "Insert" / "Verzeichnis hinzufügen": opens the folder browser at the standard folder, with
// the main and playlist windows hidden (from the main window) or disabled (from the playlist
// window) until the browser is left.
void addFolder(Program& program, AddFolderFrom from);
