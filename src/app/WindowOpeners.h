#pragma once

#include <QString>

class Program;

// How the help viewer, the title search, the track information and the quick-info popup are
// opened: each is loaded when needed, and a window already open comes to the front.

// F1 on the main window.
void showHelp(Program& program);
// "Search" on the main window: the search window, not modal.
void showSearch(Program& program);
// "Infos zum Track" in the playlist window's menu: the track information of the selected line.
void showTrackInfo(Program& program);

// Shows the popup, loading it if needed, with this title.
void showPopup(Program& program, const QString& title);
// At a change of track: the popup closes unless it stays open, and shows the title when the
// option says so; its slide timer runs in any case.
void announceTrackChange(Program& program, const QString& title);
// The popup's title, without showing it.
void setPopupTitle(Program& program, const QString& title);
