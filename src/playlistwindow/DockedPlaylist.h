#pragma once

#include <QString>

class QWidget;

// What the main window needs of the playlist window: a window to dock, show and hide, and its
// selected line. The playlist window is one; the main window does not depend on the rest of it.
class DockedPlaylist {
public:
    virtual QWidget& dockedWidget() = 0;
    // The selected line (from 0), or -1.
    virtual int listIndex() const = 0;
    virtual void setListIndex(int line) = 0;
    virtual QString selectedText() const = 0;

protected:
    DockedPlaylist() = default;
    DockedPlaylist(const DockedPlaylist&) = default;
    DockedPlaylist& operator=(const DockedPlaylist&) = default;
    ~DockedPlaylist() = default;
};
