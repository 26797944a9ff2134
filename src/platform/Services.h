#pragma once

#include <functional>
#include <memory>

#include "platform/Desktop.h"
#include "platform/EngineStatus.h"
#include "platform/FileDialog.h"
#include "platform/FolderSource.h"
#include "platform/MediaPlayer.h"
#include "platform/MessageBoxes.h"
#include "platform/Mixer.h"
#include "platform/TrayIcon.h"
#include "platform/WindowSystem.h"

// The outside world as the program reaches it. main() puts in the real components; tests put
// in fakes.
struct PlatformServices {
    std::unique_ptr<Desktop> desktop;
    std::unique_ptr<MessageBoxes> messages;
    std::function<std::unique_ptr<MediaPlayer>()> makePlayer;
    std::function<std::unique_ptr<FileDialog>()> makeFileDialog;
    // Loads the playback engine (away from the GUI thread: it takes long), then calls back on
    // the GUI thread with whether it is available and why not. Called once the main window is up.
    std::function<void(std::function<void(EngineStatus)>)> prepareEngine;
    // Ends the process at once: nothing is saved, no window is unloaded.
    std::function<void()> endProcess;
    // The system mixer the volume slider drives; none: the slider moves nothing.
    std::unique_ptr<Mixer> mixer;
    // The notification-area icon; none: the desktop has no tray for it.
    std::unique_ptr<TrayIcon> trayIcon;
    // The folders the windows and the scanner list, on worker threads; none: this machine's.
    std::shared_ptr<const FolderSource> folders;
    // The window manager and panels; none: the plain version, which knows no panel.
    std::unique_ptr<WindowSystem> windows;

    // A tray shows the icon; while none does, minimising only minimises.
    bool trayShown() const { return trayIcon != nullptr && trayIcon->isShownInTray(); }
};
