#pragma once

#include <QString>

class PlaylistWindow;
class Program;
class TitleSearchWindow;

// What the main window, start-up, the folder browser and the playlist window's menu do with
// the playlist window and the title search.

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
// The path of the selected playlist line; "" without a selection or a slot in the store.
QString selectedPath(const Program& program);

// Connects a newly loaded window's requests to what they do.
void connectPlaylistWindow(Program& program, PlaylistWindow& window);
void connectTitleSearch(Program& program, TitleSearchWindow& window);
