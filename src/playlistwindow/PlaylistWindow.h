#pragma once

#include <QMenu>
#include <QWidget>

#include "playlistwindow/PlaylistLines.h"
#include "playlistwindow/PlaylistView.h"

class Desktop;
class MessageBoxes;
class Playback;
class PlaybackModel;
class PlayerActions;

// The borderless playlist window docked under the main window. Its list shows the titles of
// the playlist; it exists only while the window is loaded.
class PlaylistWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr double kNormalListHeight = 2760;
    static constexpr double kNormalHeight = 2790;
    static constexpr double kEnlargedListHeight = 5490;
    static constexpr double kEnlargedHeight = 5520;

    // Loaded under `mainWindow`, as wide as it; the window goes down with it when it is
    // minimised.
    PlaylistWindow(const QWidget& mainWindow, const Desktop& desktop, PlaybackModel& model,
                   Playback& playback, PlayerActions& actions, MessageBoxes& messages);

    // The two sizes of the window and its list.
    void setEnlarged(bool enlarged);

    // The list's selected line (-1: none), and the number of lines.
    int listIndex() const;
    void setListIndex(int line);
    int lineCount() const { return lines->rowCount(); }
    void appendLines(const QStringList& titles);
    // Delete: the selected line goes, and its entry from the store.
    void removeSelected();

    // The selected line plays; from the mouse and the menu the main window's clock starts too.
    void playSelected(bool startClock);
    void openContextMenuAt(QPoint pos);

    PlaylistView* titleList;
    PlaylistLines* lines;  // what titleList shows, one title per line
    QMenu* contextMenu;
    QAction* playItem;
    QAction* trackInfoItem;
    QAction* addFolderItem;

signals:
    // The number of lines after each change, for the main window to show.
    void linesCounted(int lines);
    // A key the list has no use for, for the player's keys; accepted when one of them took it.
    // Delivered directly.
    void playerKeyPressed(QKeyEvent* event);
    // F6: the keyboard goes back to the main window.
    void mainWindowFocusRequested();
    // The menu's "Verzeichnis hinzufügen" and "Infos zum Track".
    void addFolderRequested();
    void trackInfoRequested();
    // Closed by the window system: the window is to be unloaded like any other way.
    void unloadRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Also tells of moves, resizes and showing.
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const QWidget& mainWindow_;
    const Desktop& desktop_;
    PlaybackModel& model_;
    Playback& playback_;
    PlayerActions& actions_;
    MessageBoxes& messages_;
};
