// The program's windows: each made on first use, wired to the program, and unloaded. This is
// the one place that knows every window; the windows themselves know only Program.

#include "app/Accessibility.h"
#include "app/Program.h"
#include "folderbrowser/FolderBrowser.h"
#include "folderbrowser/FolderChooser.h"
#include "help/HelpWindow.h"
#include "mainwindow/Docking.h"
#include "mainwindow/MainWindow.h"
#include "model/FolderScan.h"
#include "model/Playback.h"
#include "options/OptionsDialog.h"
#include "platform/LocalFolders.h"
#include "playlistwindow/PlaylistWindow.h"
#include "playlistwindow/TitleSearchWindow.h"
#include "playlistwindow/TrackInfoWindow.h"
#include "popup/TrackChangePopup.h"

Program::Program(QString programFolder, PlatformServices services, QString helpFile)
    : programFolder_(std::move(programFolder)),
      helpFile_(helpFile.isEmpty() ? programFolder_ + QStringLiteral("/hilfe.rtf")
                                   : std::move(helpFile)),
      services_(std::move(services)),
      settings_(::settingsPath(programFolder_), [this] { makeProgramFolder(); }) {
    installAccessibility();
    if (!services_.folders) {
        services_.folders = std::make_shared<LocalFolders>();
    }
    if (!services_.windows) {
        services_.windows = std::make_unique<WindowSystem>();
    }
}

Program::~Program() {
    folderScan_.reset();
    // The auxiliary windows refer to the main window; they go first.
    search_.reset();
    trackInfoWindow_.reset();
    help_.reset();
    popup_.reset();
    playlist_.reset();
    folderChooser_.reset();
    folderBrowser_.reset();
    optionsDialog_.reset();
    // It drives the main window's player.
    playback_.reset();
    mainWindow_.reset();
}

MainWindow& Program::mainWindow() {
    if (!mainWindow_) {
        mainWindow_ = std::make_unique<MainWindow>(services_, settings_, playbackModel_, actions());
        playback_ = std::make_unique<Playback>(playbackModel_, actions(), messages(),
                                               mainWindow_->player(), mainWindow_->fileDialog(),
                                               [this] { return settings_.standardFolder(); });
    }
    return *mainWindow_;
}

PlayerActions& Program::actions() {
    if (!actions_) {
        actions_ = std::make_unique<PlayerActions>();
    }
    return *actions_;
}

Playback& Program::playback() {
    mainWindow();
    return *playback_;
}

PlaylistWindow& Program::playlistWindow() {
    if (PlaylistWindow* loaded = playlist_.get()) {
        return *loaded;
    }
    PlaylistWindow& created = playlist_.getOrCreate(*this);
    created.setEnabled(!playerWindowsHeld());
    mainWindow().docking().setPlaylist(&created);
    return created;
}

void Program::unloadPlaylist() {
    // The window may be unloaded from one of its own handlers: it goes once they return.
    playlist_.unload();
    if (mainWindow_) {
        mainWindow_->docking().setPlaylist(nullptr);
        mainWindow_->setPlaylistGlyphs(false);
    }
}

void Program::applyPlayerWindowHolds() {
    const bool enabled = !playerWindowsHeld();
    mainWindow().setEnabled(enabled);
    if (PlaylistWindow* pl = playlist_.get()) {
        pl->setEnabled(enabled);
    }
}

void Program::requestScan() {
    if (folderScan_ && folderScan_->listing()) {
        folderScan_.reset();
    }
    if (!folderScan_) {
        folderScan_ = std::make_unique<FolderScan>(*this);
    }
}

void Program::abandonScan() {
    if (folderScan_) {
        folderScan_->publish();
        folderScan_.reset();
        // Windows unloaded since the event loop last ran must not outlive the program they use.
        playlist_.deleteUnloaded();
    }
}

void Program::finishScan() {
    // The scan runs inside the scanner's own timer tick: delete it once that has returned.
    if (folderScan_) {
        FolderScan* done = folderScan_.release();
        done->publish();
        done->deleteLater();
    }
}

FolderBrowser& Program::folderBrowser() {
    if (!folderBrowser_) {
        folderBrowser_ = std::make_unique<FolderBrowser>(*this);
    }
    return *folderBrowser_;
}

OptionsDialog& Program::optionsDialog() {
    if (!optionsDialog_) {
        optionsDialog_ = std::make_unique<OptionsDialog>(*this, settings_);
    }
    return *optionsDialog_;
}

void Program::endProcess() {
    if (mainWindow_) {
        mainWindow_->releasePlayers();
    }
    if (folderBrowser_) {
        folderBrowser_->releasePreview();
    }
    // No dead icon may stay behind in the notification area.
    if (services_.trayIcon) {
        services_.trayIcon->remove();
    }
    if (services_.endProcess) {
        services_.endProcess();
    }
}

TitleSearchWindow& Program::searchWindow() {
    return search_.getOrCreate(*this);
}

void Program::unloadSearch() {
    search_.unload();
}

TrackInfoWindow& Program::trackInfoWindow() {
    return trackInfoWindow_.getOrCreate(*this);
}

void Program::unloadTrackInfoWindow() {
    trackInfoWindow_.unload();
}

HelpWindow& Program::helpWindow() {
    return help_.getOrCreate(*this);
}

void Program::unloadHelp() {
    help_.unload();
}

FolderChooser& Program::folderChooser() {
    return folderChooser_.getOrCreate(*this);
}

void Program::unloadFolderChooser() {
    folderChooser_.unload();
}

TrackChangePopup& Program::popup() {
    return popup_.getOrCreate(*this);
}

void Program::unloadPopup() {
    // A tick of the unloaded popup, still due before it is deleted, would act on its successor.
    if (TrackChangePopup* popup = popup_.get()) {
        popup->stopTimers();
    }
    popup_.unload();
}
