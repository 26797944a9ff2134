#pragma once

#include <QPoint>

class QWidget;

// What the desktop's window manager and panels make of the program's windows. This plain
// version knows no panel: it only raises and activates.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Whether the window has an entry of its own in the panel's task list (and pager). May be
    // called before the window is first shown and while it is on screen; a dialog on screen
    // that gets an entry stands for the program's whole window group from then on, as task
    // lists leave out a dialog that belongs to another window.
    virtual void setInTaskList(QWidget& window, bool listed);
    // Over the other windows, directly over sibling (or higher), without the focus.
    virtual void stackAbove(QWidget& window, const QWidget& sibling);
    // Up and active with the keyboard focus, on the user's behalf: called for a click or a
    // request the user made.
    virtual void bringToFront(QWidget& window);
    // Where the window really is on the screen, in pixels: a window manager may hold it
    // elsewhere than the program asked without saying so.
    virtual QPoint placeOf(const QWidget& window) const;
};
