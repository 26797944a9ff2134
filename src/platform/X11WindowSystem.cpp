#include "platform/X11WindowSystem.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <vector>

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }  // NOLINT: xcb replies are malloc'd
};
template <class T>
using Reply = std::unique_ptr<T, FreeReply>;

// Actions of a state change request to the window manager.
constexpr uint32_t kRemove = 0;
constexpr uint32_t kAdd = 1;
// The request comes from an ordinary application, or stands for the user's own action.
constexpr uint32_t kFromApplication = 1;
constexpr uint32_t kFromUser = 2;

// An event of 32 bytes, as xcb sends them.
template <class Event>
void sendToWindowManager(xcb_connection_t* connection, xcb_window_t root, const Event& event) {
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));  // NOLINT: xcb takes raw bytes
    xcb_flush(connection);
}

// A message of the freedesktop.org window-manager hints about `window`.
void sendClientMessage(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window,
                       xcb_atom_t type, std::array<uint32_t, 4> data) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    std::copy(data.begin(), data.end(), std::begin(event.data.data32));
    sendToWindowManager(connection, root, event);
}

}  // namespace

X11WindowSystem::X11WindowSystem() {
    const auto* x11 = qGuiApp != nullptr
                          ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                          : nullptr;
    if (x11 == nullptr || x11->connection() == nullptr) {
        return;
    }
    connection_ = x11->connection();
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    root_ = xcb_setup_roots_iterator(setup).data->root;
    state_ = atom("_NET_WM_STATE");
    skipTaskbar_ = atom("_NET_WM_STATE_SKIP_TASKBAR");
    skipPager_ = atom("_NET_WM_STATE_SKIP_PAGER");
    activeWindow_ = atom("_NET_ACTIVE_WINDOW");
    supportingWmCheck_ = atom("_NET_SUPPORTING_WM_CHECK");
}

bool X11WindowSystem::windowManagerRuns() const {
    const Reply<xcb_get_property_reply_t> reply{xcb_get_property_reply(
        connection_,
        xcb_get_property(connection_, 0, root_, supportingWmCheck_, XCB_ATOM_WINDOW, 0, 1),
        nullptr)};
    return reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) == 4;
}

xcb_atom_t X11WindowSystem::atom(const char* name) const {
    const Reply<xcb_intern_atom_reply_t> reply{xcb_intern_atom_reply(
        connection_,
        xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr)};
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_NONE);
}

QPoint X11WindowSystem::placeOf(const QWidget& window) const {
    if (connection_ == nullptr || !window.testAttribute(Qt::WA_WState_Created)) {
        return WindowSystem::placeOf(window);
    }
    const Reply<xcb_translate_coordinates_reply_t> reply{xcb_translate_coordinates_reply(
        connection_,
        xcb_translate_coordinates(connection_, static_cast<xcb_window_t>(window.internalWinId()),
                                  root_, 0, 0),
        nullptr)};
    return reply ? QPoint(reply->dst_x, reply->dst_y) : WindowSystem::placeOf(window);
}

void X11WindowSystem::setInTaskList(QWidget& window, bool listed) {
    if (connection_ == nullptr || state_ == XCB_NONE) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window.winId());
    const QWindow* handle = window.windowHandle();
    if (handle != nullptr && handle->isVisible()) {
        // A window on screen belongs to the window manager: it is asked to change the state.
        sendClientMessage(connection_, root_, id, state_,
                          {listed ? kRemove : kAdd, skipTaskbar_, skipPager_, kFromApplication});
        if (const QWindow* owner = handle->transientParent()) {
            // Transient for the root window is transient for the window group (ICCCM, as
            // window managers read it); Qt names the owner again at the next show.
            const xcb_window_t transientFor = listed ? root_ : owner->winId();
            xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_TRANSIENT_FOR,
                                XCB_ATOM_WINDOW, 32, 1, &transientFor);
            xcb_flush(connection_);
        }
        return;
    }
    // Before it is mapped the window's own property says it; Qt adds its states to it.
    const Reply<xcb_get_property_reply_t> reply{xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, id, state_, XCB_ATOM_ATOM, 0, 1024),
        nullptr)};
    std::vector<xcb_atom_t> states;
    if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        const auto* values = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
        states.assign(values, values + xcb_get_property_value_length(reply.get()) / 4);
    }
    std::erase_if(states, [this](xcb_atom_t a) { return a == skipTaskbar_ || a == skipPager_; });
    if (!listed) {
        states.push_back(skipTaskbar_);
        states.push_back(skipPager_);
    }
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, id, state_, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(states.size()), states.data());
    xcb_flush(connection_);
}

void X11WindowSystem::bringToFront(QWidget& window) {
    // Qt's own request, which is all there is without a window manager.
    WindowSystem::bringToFront(window);
    if (connection_ == nullptr || activeWindow_ == XCB_NONE) {
        return;
    }
    // Told as the user's own action: window managers may refuse a program that asks for the
    // focus itself while the user was last busy in another program.
    sendClientMessage(connection_, root_, static_cast<xcb_window_t>(window.winId()), activeWindow_,
                      {kFromUser, XCB_CURRENT_TIME, 0, 0});
}

void X11WindowSystem::stackAbove(QWidget& window, const QWidget& sibling) {
    if (connection_ == nullptr || !window.isVisible() || !windowManagerRuns()) {
        WindowSystem::stackAbove(window, sibling);
        return;
    }
    // Not a plain raise: some window managers (xfwm4) take that for a request for the focus.
    // Naming the sibling, the request goes to the window manager as the ICCCM says for a
    // window that is no sibling of the other on the server.
    xcb_configure_request_event_t event{};
    event.response_type = XCB_CONFIGURE_REQUEST;
    event.stack_mode = XCB_STACK_MODE_ABOVE;
    event.parent = root_;
    event.window = static_cast<xcb_window_t>(window.winId());
    event.sibling = static_cast<xcb_window_t>(sibling.winId());
    event.value_mask = XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE;
    sendToWindowManager(connection_, root_, event);
}
