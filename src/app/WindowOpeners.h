#pragma once

#include <QString>

#include "model/PlaybackModel.h"

class Program;

// How the help viewer, the title search, the track information and the quick-info popup are
// opened: each is loaded when needed, and a window already open comes to the front.

class QWidget;

// Shows the window, or brings it to the front where it is open already.
void showOnTop(QWidget& window);
// "Infos zum Track" in the playlist window's menu: the track information of the selected line.
void showTrackInfo(Program& program);

// Shows the popup, loading it if needed, with this title.
void showPopup(Program& program, const QString& title);
// A step in the order: the popup closes unless it stays open, and shows the title when the
// option says so; its slide timer runs in any case. A line played from the playlist window
// only gives the popup its title.
void announceTrackChange(Program& program, const QString& title, PlaybackModel::Start how);
