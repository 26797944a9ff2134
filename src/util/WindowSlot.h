#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <utility>
#include <vector>

// The one instance of a window that is created on first use and destroyed when unloaded.
// A window may be unloaded from one of its own handlers, so it is deleted once the event loop
// runs again; the slot deletes whatever is still waiting when it goes itself. A window that asks
// to be unloaded (a signal unloadRequested) is unloaded by its slot.
template <class Window>
class WindowSlot {
public:
    WindowSlot() = default;
    ~WindowSlot() { reset(); }
    WindowSlot(const WindowSlot&) = delete;
    WindowSlot& operator=(const WindowSlot&) = delete;

    Window* get() const { return window_.get(); }

    template <class... Args>
    Window& getOrCreate(Args&&... args) {
        if (!window_) {
            window_ = std::make_unique<Window>(std::forward<Args>(args)...);
            if constexpr (requires { &Window::unloadRequested; }) {
                QObject::connect(window_.get(), &Window::unloadRequested, window_.get(),
                                 [this] { unload(); });
            }
        }
        return *window_;
    }

    // Hides the window; it is deleted once the running handlers have returned.
    void unload() {
        if (!window_) {
            return;
        }
        window_->hide();
        std::erase_if(unloaded_, [](const QPointer<Window>& w) { return w.isNull(); });
        unloaded_.emplace_back(window_.release());
        unloaded_.back()->deleteLater();
    }

    // Deletes the unloaded windows still waiting for the event loop.
    void deleteUnloaded() {
        for (const QPointer<Window>& unloaded : unloaded_) {
            delete unloaded.data();  // NOLINT(cppcoreguidelines-owning-memory): owned since unload
        }
        unloaded_.clear();
    }

    // Deletes the window and every unloaded one at once.
    void reset() {
        window_.reset();
        deleteUnloaded();
    }

private:
    std::unique_ptr<Window> window_;
    std::vector<QPointer<Window>> unloaded_;
};
