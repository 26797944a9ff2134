// The program's windows: each made on first use, wired to the program, and unloaded. This is
// the one place that knows every window; the windows themselves know only Program.

#include "app/Accessibility.h"
#include "app/FolderOperations.h"
#include "app/PlaylistOperations.h"
#include "app/Program.h"
#include "app/WindowOpeners.h"
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
    trackInfo.reset();
    help.reset();
    popup_.reset();
    playlist_.reset();
    folderChooser.reset();
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
    PlaylistWindow& created = playlist_.getOrCreate(mainWindow(), desktop(), playbackModel_,
                                                    playback(), actions(), messages());
    created.setEnabled(!playerWindowsHeld());
    connectPlaylistWindow(*this, created);
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
        folderScan_ = std::make_unique<FolderScan>(playbackModel_, foldersPath(), folderSource());
        QObject::connect(folderScan_.get(), &FolderScan::finished, folderScan_.get(), [this] {
            // The scan is inside its own timer tick: it goes once that returns.
            folderScan_.release()->deleteLater();
            emit playbackModel_.playlistPublished();
        });
    }
}

void Program::abandonScan() {
    if (folderScan_) {
        folderScan_.reset();
        emit playbackModel_.playlistPublished();
        // Windows unloaded since the event loop last ran must not outlive the program they use.
        playlist_.deleteUnloaded();
    }
}

FolderBrowser& Program::folderBrowser() {
    if (!folderBrowser_) {
        folderBrowser_ = std::make_unique<FolderBrowser>(
            desktop(), messages(), folderSource(),
            services_.makeFileDialog ? services_.makeFileDialog() : nullptr,
            services_.makePlayer ? services_.makePlayer() : nullptr,
            FolderBrowser::Folders{programFolder(), playlistFolder(),
                                   [this] { makeProgramFolder(); }});
        connectFolderBrowser(*this, *folderBrowser_);
    }
    return *folderBrowser_;
}

OptionsDialog& Program::optionsDialog() {
    if (!optionsDialog_) {
        optionsDialog_ = std::make_unique<OptionsDialog>(desktop(), messages(), settings_);
        connectOptionsDialog(*this, *optionsDialog_);
    }
    return *optionsDialog_;
}

TitleSearchWindow& Program::searchWindow() {
    if (TitleSearchWindow* loaded = search_.get()) {
        return *loaded;
    }
    TitleSearchWindow& created = search_.getOrCreate(desktop(), [this] {
        return playlist_.get() != nullptr ? playlist_.get()->lines->stringList() : QStringList();
    });
    connectTitleSearch(*this, created);
    return created;
}

TrackChangePopup& Program::popup() {
    if (TrackChangePopup* loaded = popup_.get()) {
        return *loaded;
    }
    MainWindow& form = mainWindow();
    TrackChangePopup& created =
        popup_.getOrCreate(desktop(), settings_, [&form] { return form.playTime(); });
    QObject::connect(&form, &MainWindow::playTimeChanged, created.clockTimer, &WindowTimer::wake);
    return created;
}
