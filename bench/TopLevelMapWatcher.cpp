#include "TopLevelMapWatcher.h"

#include <poll.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace bramble::testsupport {

namespace {

// xcb hands out replies and events allocated with malloc.
struct FreeDeleter {
    // NOLINTNEXTLINE(cppcoreguidelines-owning-memory): xcb memory is plain malloc memory
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using XcbPtr = std::unique_ptr<T, FreeDeleter>;

}  // namespace

TopLevelMapWatcher::TopLevelMapWatcher() {
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_) != 0) {
        xcb_disconnect(connection_);
        throw std::runtime_error("cannot open the X display (is DISPLAY set?)");
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber; ++i) {
        xcb_screen_next(&screens);
    }
    root_ = screens.data->root;

    netWmPid_ = internAtom("_NET_WM_PID");
    netWmName_ = internAtom("_NET_WM_NAME");
    utf8String_ = internAtom("UTF8_STRING");

    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const xcb_void_cookie_t cookie =
        xcb_change_window_attributes_checked(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    if (XcbPtr<xcb_generic_error_t> error{xcb_request_check(connection_, cookie)}) {
        xcb_disconnect(connection_);
        throw std::runtime_error("cannot watch the root window");
    }
}

TopLevelMapWatcher::~TopLevelMapWatcher() {
    xcb_disconnect(connection_);
}

xcb_atom_t TopLevelMapWatcher::internAtom(const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name);
    const XcbPtr<xcb_intern_atom_reply_t> reply{
        xcb_intern_atom_reply(connection_, cookie, nullptr)};
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

std::string TopLevelMapWatcher::property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type) {
    const XcbPtr<xcb_get_property_reply_t> reply{xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, name, type, 0, 1024), nullptr)};
    if (!reply) {
        return {};
    }
    const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return {bytes, static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

std::optional<MappedWindow> TopLevelMapWatcher::nextMap(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (xcb_connection_has_error(connection_) != 0) {
            throw std::runtime_error("the connection to the X display broke");
        }
        const XcbPtr<xcb_generic_event_t> event{xcb_poll_for_event(connection_)};
        if (!event) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                return std::nullopt;
            }
            pollfd descriptor{xcb_get_file_descriptor(connection_), POLLIN, 0};
            poll(&descriptor, 1, static_cast<int>(left.count()) + 1);
            continue;
        }
        if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY) {
            continue;
        }
        const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
        if (map->event != root_) {
            continue;
        }
        MappedWindow mapped;
        mapped.seenAt = std::chrono::steady_clock::now();
        mapped.id = map->window;
        mapped.overrideRedirect = map->override_redirect != 0;
        const std::string pid = property(map->window, netWmPid_, XCB_ATOM_CARDINAL);
        uint32_t pidValue = 0;
        if (pid.size() == sizeof pidValue) {
            std::memcpy(&pidValue, pid.data(), sizeof pidValue);
        }
        mapped.pid = static_cast<pid_t>(pidValue);
        mapped.name = property(map->window, netWmName_, utf8String_);
        if (mapped.name.empty()) {
            mapped.name = property(map->window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY);
        }
        return mapped;
    }
}

std::optional<MappedWindow> TopLevelMapWatcher::waitForWindow(pid_t pid, const std::string& name,
                                                              std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    // nextMap gives what has come in even past the deadline, and nothing after it.
    while (auto mapped = nextMap(std::chrono::duration_cast<std::chrono::milliseconds>(
               deadline - std::chrono::steady_clock::now()))) {
        if (mapped->pid == pid && mapped->name == name) {
            return mapped;
        }
    }
    return std::nullopt;
}

}  // namespace bramble::testsupport
