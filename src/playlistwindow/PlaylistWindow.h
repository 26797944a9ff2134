#pragma once

#include <QMenu>
#include <QWidget>

#include "playlistwindow/DockedPlaylist.h"
#include "playlistwindow/PlaylistLines.h"
#include "playlistwindow/PlaylistView.h"
#include "skin/WindowTimer.h"

class Program;

// The borderless playlist window docked under the main window. Its list shows the titles of
// the playlist; it exists only while the window is loaded.
class PlaylistWindow : public QWidget, public DockedPlaylist {
    Q_OBJECT
public:
    static constexpr double kNormalListHeight = 2760;
    static constexpr double kNormalHeight = 2790;
    static constexpr double kEnlargedListHeight = 5490;
    static constexpr double kEnlargedHeight = 5520;

    explicit PlaylistWindow(Program& program);
    ~PlaylistWindow() override;

    void setHeightTwips(double height);
    void setListHeightTwips(double height);
    double heightTwips() const;

    // The list's selected line (-1: none), its text, and the number of lines.
    int listIndex() const override;
    void setListIndex(int line) override;
    // Selects line nr; a line the list does not have changes nothing.
    void selectLine(int nr);
    QString selectedText() const override;
    QWidget& dockedWidget() override { return *this; }
    int lineCount() const { return lines->rowCount(); }
    // Shows the titles of the store, replacing whatever the list showed.
    void fillFromStore();
    void appendLines(const QStringList& titles);
    void clearList();
    void removeLine(int line);

    // The line under a point of the list (-1: none).
    int lineAt(QPoint pos) const;

    void playLineAndStartClock();
    void answerListKey(int key);
    void openContextMenuAt(QPoint pos);
    // Shift+F10 and the menu key: the context menu at the selected line.
    void openContextMenuAtSelection();
    void showLineCount();
    void playFromMenu();

    PlaylistView* titleList;
    PlaylistLines* lines;  // what titleList shows, one title per line
    WindowTimer* countTimer;
    QMenu* contextMenu;
    QAction* playItem;
    QAction* trackInfoItem;
    QAction* addFolderItem;
    QAction* clearItem;

signals:
    // The window moved, changed size or was shown.
    void geometryChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    // The player's keys that mean nothing to the list.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void playSelected(bool startClock);

    Program& program_;
};
