#pragma once

#include <sys/types.h>
#include <xcb/xcb.h>

#include <chrono>
#include <optional>
#include <string>

namespace bramble::testsupport {

// A top-level window just mapped, as the X server reported it.
struct MappedWindow {
    xcb_window_t id = 0;
    pid_t pid = 0;  // from _NET_WM_PID; 0 when the window does not say
    std::string name;
    bool overrideRedirect = false;  // menus, tooltips: no window manager would see them
    std::chrono::steady_clock::time_point seenAt;
};

// Watches $DISPLAY for top-level windows being mapped, from before the constructor returns on.
class TopLevelMapWatcher {
public:
    TopLevelMapWatcher();  // throws std::runtime_error when the display cannot be opened
    ~TopLevelMapWatcher();
    TopLevelMapWatcher(const TopLevelMapWatcher&) = delete;
    TopLevelMapWatcher& operator=(const TopLevelMapWatcher&) = delete;

    // The next map, or nothing within the timeout; throws when the connection breaks.
    std::optional<MappedWindow> nextMap(std::chrono::milliseconds timeout);

    // The process's next map of a window with exactly this name, passing over others.
    std::optional<MappedWindow> waitForWindow(pid_t pid, const std::string& name,
                                              std::chrono::milliseconds timeout);

private:
    xcb_atom_t internAtom(const char* name);
    // The property's bytes; empty when the window has none.
    std::string property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type);

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t netWmPid_ = XCB_ATOM_NONE;
    xcb_atom_t netWmName_ = XCB_ATOM_NONE;
    xcb_atom_t utf8String_ = XCB_ATOM_NONE;
};

}  // namespace bramble::testsupport
