#pragma once

#include <xcb/xcb.h>

#include "platform/WindowSystem.h"

// The window manager and panels of an X11 desktop, told through the window states of the
// freedesktop.org window-manager hints. Off X11 it acts as the plain version.
class X11WindowSystem : public WindowSystem {
public:
    X11WindowSystem();

    void setInTaskList(QWidget& window, bool listed) override;
    QPoint placeOf(const QWidget& window) const override;
    void bringToFront(QWidget& window) override;
    void stackAbove(QWidget& window, const QWidget& sibling) override;

private:
    xcb_atom_t atom(const char* name) const;
    bool windowManagerRuns() const;

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = XCB_NONE;
    xcb_atom_t state_ = XCB_NONE;
    xcb_atom_t skipTaskbar_ = XCB_NONE;
    xcb_atom_t skipPager_ = XCB_NONE;
    xcb_atom_t activeWindow_ = XCB_NONE;
    xcb_atom_t supportingWmCheck_ = XCB_NONE;
};
