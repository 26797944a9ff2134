#include "app/WindowRoles.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "app/Program.h"
#include "folderbrowser/FolderBrowser.h"
#include "folderbrowser/FolderChooser.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/Tray.h"
#include "options/OptionsDialog.h"
#include "playlistwindow/PlaylistWindow.h"
#include "skin/SkinLabel.h"

namespace {

// Menus, tooltips and the like are no windows of the window manager.
bool isManagedWindow(const QWidget& widget) {
    if (!widget.isWindow() || widget.testAttribute(Qt::WA_DontShowOnScreen)) {
        return false;
    }
    switch (widget.windowType()) {
        case Qt::Popup:
        case Qt::ToolTip:
        case Qt::Desktop:
        case Qt::ForeignWindow:
            return false;
        default:
            return !widget.windowFlags().testFlag(Qt::BypassWindowManagerHint);
    }
}

// Dialogs and tool windows with a frame; the borderless popup keeps to itself.
bool isDialog(const QWidget& widget) {
    const Qt::WindowType type = widget.windowType();
    return (type == Qt::Dialog || type == Qt::Tool) &&
           !widget.windowFlags().testFlag(Qt::FramelessWindowHint);
}

bool usable(const QWidget* window) {
    return window != nullptr && window->isVisible() && window->isEnabled();
}

// The control's window comes to the front, and the control takes the focus, marked.
void giveFocusBack(WindowSystem& windows, QWidget& control) {
    windows.bringToFront(*control.window());
    if (auto* label = qobject_cast<SkinLabel*>(&control)) {
        label->takeKeyboardFocus();
    } else {
        control.setFocus(Qt::TabFocusReason);
    }
}

}  // namespace

WindowRoles::WindowRoles(Program& program, QObject* parent) : QObject(parent), program_(program) {
    qApp->installEventFilter(this);
    connect(&program.mainWindow().tray(), &Tray::iconReturned, this, &WindowRoles::applyTaskList);
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* now) {
        if (now != nullptr) {
            lastActive_ = now;
        }
    });
}

bool WindowRoles::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress && event->spontaneous() && watched->isWindowType()) {
        pressedOn(static_cast<QWindow&>(*watched));
        return false;
    }
    if ((type != QEvent::Show && type != QEvent::Hide && type != QEvent::WindowActivate) ||
        !watched->isWidgetType()) {
        return false;
    }
    auto& widget = static_cast<QWidget&>(*watched);
    if (!isManagedWindow(widget)) {
        return false;
    }
    if (type == QEvent::Show) {
        aboutToShow(widget);
        if (!event->spontaneous() && isDialog(widget)) {
            rememberOpener(widget);
        }
    } else if (type == QEvent::Hide) {
        hidden(widget);
    } else if (!widget.isEnabled()) {
        // Not from within the activation itself: the window manager is still at it.
        QTimer::singleShot(0, this, &WindowRoles::lockedWindowActivated);
    } else if (&widget == &program_.mainWindow()) {
        mainActivated();
    } else if (&widget == program_.playlistIfLoaded()) {
        playlistActivated();
    }
    return false;
}

void WindowRoles::mainActivated() {
    // The docked playlist window is part of the main window: whatever brought the main window
    // up (the task list, a click) brings it up too.
    if (QWidget* pl = program_.playlistIfLoaded(); pl != nullptr && pl->isVisible()) {
        program_.windowSystem().stackAbove(*pl, program_.mainWindow());
    }
}

void WindowRoles::playlistActivated() {
    // The dialogs opened over the main window stay above the playlist window as well.
    const QWindow* main = program_.mainWindow().windowHandle();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && isDialog(*window) && window->windowHandle() != nullptr &&
            window->windowHandle()->transientParent() == main) {
            program_.windowSystem().stackAbove(*window, *program_.playlistIfLoaded());
        }
    }
}

void WindowRoles::aboutToShow(QWidget& window) {
    MainWindow& main = program_.mainWindow();
    if (isDialog(window)) {
        window.winId();
        QWindow* handle = window.windowHandle();
        if (handle->transientParent() == nullptr) {
            if (QWidget* owner = ownerFor(window)) {
                owner->winId();
                handle->setTransientParent(owner->windowHandle());
            }
        }
    }
    // Sent before the window is mapped: what the window manager and panels read then counts.
    program_.windowSystem().setInTaskList(window, listed(window));
    if (&window == &main) {
        applyTaskList();
    }
}

bool WindowRoles::listed(const QWidget& window) const {
    if (program_.services().trayShown()) {
        return false;
    }
    const MainWindow& main = program_.mainWindow();
    if (&window == &main) {
        return true;
    }
    // A dialog shown for the main window while that is hidden (the folder browser after
    // "Insert") could not be reached otherwise.
    const QWindow* handle = window.windowHandle();
    return !main.isVisible() && isDialog(window) && handle != nullptr &&
           handle->transientParent() == main.windowHandle();
}

void WindowRoles::applyTaskList() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && isManagedWindow(*window)) {
            program_.windowSystem().setInTaskList(*window, listed(*window));
        }
    }
}

QWidget* WindowRoles::ownerFor(const QWidget& dialog) const {
    MainWindow& main = program_.mainWindow();
    QWidget* active = QApplication::activeWindow();
    if (active == nullptr || active == &dialog || !isManagedWindow(*active) ||
        (active == program_.playlistIfLoaded() && main.isVisible())) {
        // The playlist window is part of the main window.
        return &main;
    }
    return active;
}

void WindowRoles::rememberOpener(const QWidget& dialog) {
    std::erase_if(openers_, [&dialog](const auto& entry) {
        return entry.first.isNull() || entry.first == &dialog;
    });
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && focus->window() != &dialog) {
        openers_.emplace_back(&dialog, focus);
    }
}

QPointer<QWidget> WindowRoles::takeOpener(const QWidget& dialog) {
    QPointer<QWidget> opener;
    std::erase_if(openers_, [&](const auto& entry) {
        if (entry.first == &dialog) {
            opener = entry.second;
        }
        return entry.first.isNull() || entry.first == &dialog;
    });
    return opener;
}

void WindowRoles::hidden(QWidget& window) {
    if (&window == &program_.mainWindow()) {
        applyTaskList();
    }
    // A key the window manager takes (Alt+F4) may have taken the focus from the window first.
    const QWidget* active = QApplication::activeWindow();
    const bool hadFocus =
        active == &window || (active == nullptr && lastActive_ == window.windowHandle());
    if (!isDialog(window)) {
        return;
    }
    const QPointer<QWidget> opener = takeOpener(window);
    if (!hadFocus) {
        return;
    }
    const QWindow* parent = window.windowHandle()->transientParent();
    const QPointer<QWidget> owner = parent != nullptr ? QWidget::find(parent->winId()) : nullptr;
    const QPointer<QWidget> closed = &window;
    // Once the hiding handler is done: it may still enable the windows it held.
    QTimer::singleShot(0, this, [this, owner, opener, closed] {
        MainWindow& main = program_.mainWindow();
        // The window manager may have chosen one of the player's windows already.
        const QWidget* now = QApplication::activeWindow();
        if (now != nullptr && now != closed && now->isVisible() && now != &main &&
            now != program_.playlistIfLoaded()) {
            return;  // another window of the program was brought up meanwhile
        }
        if (usable(opener)) {
            giveFocusBack(program_.windowSystem(), *opener);
        } else if (usable(owner)) {
            program_.windowSystem().bringToFront(*owner);
        } else if (usable(&main)) {
            program_.windowSystem().bringToFront(main);
        }
    });
}

void WindowRoles::pressedOn(const QWindow& window) {
    // Qt asks for the focus for a window clicked while another has it, after the window manager
    // gave the focus to the held window and after the dialog may have taken it back: its request
    // then comes last, and focus that is already there brings no activation to answer. The
    // dialog asks again once Qt has asked (the press is delivered after Qt's request).
    const QWidget* widget = QWidget::find(window.winId());
    if (widget != nullptr && widget->isWindow() && !widget->isEnabled() &&
        isManagedWindow(*widget)) {
        QTimer::singleShot(0, this, &WindowRoles::lockedWindowActivated);
    }
}

void WindowRoles::lockedWindowActivated() {
    // The innermost lock first: the chooser holds the options dialog.
    QWidget* locks[] = {program_.folderChooser.get(), &program_.optionsDialog(),
                        &program_.folderBrowser()};
    for (QWidget* dialog : locks) {
        if (usable(dialog)) {
            program_.windowSystem().bringToFront(*dialog);
            return;
        }
    }
}
