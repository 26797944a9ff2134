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
class playlist : public QWidget, public PlaylistPane {
    Q_OBJECT
public:
    static constexpr double kNormalListHeight = 2760;
    static constexpr double kNormalHeight = 2790;
    static constexpr double kEnlargedListHeight = 5490;
    static constexpr double kEnlargedHeight = 5520;

    explicit playlist(Program& program);
    ~playlist() override;

    void setHeightTwips(double height);
    void setListHeightTwips(double height);
    double heightTwips() const;

    // The list's selected line (-1: none), its text, and the number of lines.
    int listIndex() const override;
    void setListIndex(int line) override;
    // Selects line nr; a line the list does not have changes nothing.
    void InsertItem(int nr);
    QString selectedText() const override;
    QWidget& paneWidget() override { return *this; }
    int lineCount() const { return lines->rowCount(); }
    // Shows the titles of the store, replacing whatever the list showed.
    void fillFromStore();
    void appendLines(const QStringList& titles);
    void clearList();
    void removeLine(int line);

    // The line under a point of the list (-1: none).
    int PopUpListBox(QPoint pos) const;

    void List1_DblClick();
    void List1_KeyDown(int key);
    void List1_MouseDown(QPoint pos);
    // Shift+F10 and the menu key: the context menu at the selected line.
    void List1_ContextKey();
    void Timer1_Timer();
    void mnuplay1_Click();

    PlaylistView* List1;
    PlaylistLines* lines;  // what List1 shows, one title per line
    FormTimer* Timer1;
    QMenu* mnupopup1;
    QAction* mnuplay1;
    QAction* mnutrackinfo;
    QAction* mnuinsert1;
    QAction* mnudeleteall1;

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
