#pragma once

#include <sys/types.h>
#include <xcb/xcb.h>

#include <chrono>
#include <optional>
#include <string>

namespace bramble::testsupport {

// One top-level window that was just mapped, as the X server reported it.
struct MappedWindow {
    xcb_window_t id = 0;
    pid_t pid = 0;  // from _NET_WM_PID; 0 when the window does not say
    std::string name;
    bool overrideRedirect = false;  // menus, tooltips: no window manager would see them
    std::chrono::steady_clock::time_point seenAt;
};

// Watches the root window of $DISPLAY for top-level windows being mapped. Events are selected
// before the constructor returns, so a program started afterwards cannot map a window unseen.
class TopLevelMapWatcher {
public:
    TopLevelMapWatcher();  // throws std::runtime_error when the display cannot be opened
    ~TopLevelMapWatcher();
    TopLevelMapWatcher(const TopLevelMapWatcher&) = delete;
    TopLevelMapWatcher& operator=(const TopLevelMapWatcher&) = delete;

    // The next map of a top-level window, or nothing when none came within the timeout.
    // Throws std::runtime_error when the connection to the display breaks.
    std::optional<MappedWindow> nextMap(std::chrono::milliseconds timeout);

    // Waits for the process to map a top-level window with exactly this name; maps of other
    // windows seen meanwhile are passed over.
    std::optional<MappedWindow> waitForWindow(pid_t pid, const std::string& name,
                                              std::chrono::milliseconds timeout);

private:
    xcb_atom_t internAtom(const char* name);
    std::string textProperty(xcb_window_t window, xcb_atom_t property, xcb_atom_t type);
    pid_t windowPid(xcb_window_t window);

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t netWmPid_ = XCB_ATOM_NONE;
    xcb_atom_t netWmName_ = XCB_ATOM_NONE;
    xcb_atom_t utf8String_ = XCB_ATOM_NONE;
};

}  // namespace bramble::testsupport
