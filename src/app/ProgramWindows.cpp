// The program's windows: each made on first use, wired to the program, and unloaded. This is
// the one place that knows every window; the windows themselves know only Program.

#include <functional>

#include "app/Accessibility.h"
#include "app/Program.h"
#include "app/SettingsHolders.h"
#include "folderbrowser/FolderBrowser.h"
#include "folderbrowser/FolderChooser.h"
#include "help/HelpWindow.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/Tray.h"
#include "mainwindow/VolumeControl.h"
#include "model/FolderScan.h"
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
      services_(std::move(services)) {
    installAccessibility();
    if (!services_.folders) {
        services_.folders = std::make_shared<LocalFolders>();
    }
    if (!services_.windows) {
        services_.windows = std::make_unique<WindowSystem>();
    }
}

Program::~Program() {
    cache_.reset();
    // The auxiliary windows refer to the main window; they go first.
    search_.reset();
    dateiinfo_.reset();
    help_.reset();
    quickinfo_.reset();
    playlist_.reset();
    frmdir_.reset();
    frmopen_.reset();
    options_.reset();
    form1_.reset();
}

void Program::prepareEngine(std::function<void(EngineStatus)> done) const {
    const auto startPlayer = [this, done = std::move(done)](EngineStatus status) {
        if (status.ok() && form1_ && form1_->player() && !form1_->player()->prepare()) {
            status.failure = EngineStatus::Failure::NotStarted;
        }
        done(status);
    };
    if (services_.prepareEngine) {
        services_.prepareEngine(startPlayer);
    } else {
        startPlayer({});
    }
}

Form1& Program::form1() {
    if (!form1_) {
        form1_ = std::make_unique<Form1>(*this);
        QObject::connect(&form1_->volume(), &Volume::volumeToKeep, form1_.get(),
                         std::bind_front(&Program::Volume_VolumeToKeep, this));
        QObject::connect(&form1_->tray(), &Tray::quickInfoRequested, form1_.get(),
                         std::bind_front(&Program::mnushowquick_Click, this));
    }
    return *form1_;
}

void Program::Volume_VolumeToKeep() {
    // Nobody is told when writing fails: the volume is kept all the same.
    saveSettings(*this);
}

void Program::mnushowquick_Click(const QString& title) {
    showQuickInfo(*this, title);
}

playlist& Program::playlistWindow() {
    if (playlist* loaded = playlist_.get()) {
        return *loaded;
    }
    playlist& created = playlist_.getOrCreate(*this);
    created.setEnabled(!playerWindowsHeld());
    // Wherever the window goes, the docking timer looks again.
    QObject::connect(&created, &playlist::geometryChanged, &form1(), &Form1::wakeDocking);
    return created;
}

PlaylistPane& Program::playlistPane() {
    return playlistWindow();
}

PlaylistPane* Program::playlistPaneIfLoaded() const {
    return playlist_.get();
}

void Program::unloadPlaylist() {
    // The window may be unloaded from one of its own handlers: it goes once they return.
    playlist_.unload();
    if (form1_) {
        form1_->setPlaylistGlyphs(false);
    }
}

void Program::applyPlayerWindowHolds() {
    const bool enabled = !playerWindowsHeld();
    form1().setEnabled(enabled);
    if (playlist* pl = playlist_.get()) {
        pl->setEnabled(enabled);
    }
}

void Program::requestScan() {
    if (cache_ && cache_->listing()) {
        cache_.reset();
    }
    if (!cache_) {
        cache_ = std::make_unique<cache>(*this);
    }
}

void Program::abandonScan() {
    if (cache_) {
        cache_->publish();
        cache_.reset();
        // Windows unloaded since the event loop last ran must not outlive the program they use.
        playlist_.deleteUnloaded();
    }
}

void Program::finishScan() {
    // The scan runs inside the scanner's own timer tick: delete it once that has returned.
    if (cache_) {
        cache* done = cache_.release();
        done->publish();
        done->deleteLater();
    }
}

frmopen& Program::frmopenWindow() {
    if (!frmopen_) {
        frmopen_ = std::make_unique<frmopen>(*this);
    }
    return *frmopen_;
}

options& Program::optionsWindow() {
    if (!options_) {
        options_ = std::make_unique<options>(*this);
    }
    return *options_;
}

void Program::endProcess() {
    if (form1_) {
        form1_->releasePlayers();
    }
    if (frmopen_) {
        frmopen_->releasePreview();
    }
    // No dead icon may stay behind in the notification area.
    if (services_.trayIcon) {
        services_.trayIcon->remove();
    }
    if (services_.endProcess) {
        services_.endProcess();
    }
}

frmsearch& Program::searchWindow() {
    return search_.getOrCreate(*this);
}

void Program::unloadSearch() {
    search_.unload();
}

dateiinfo& Program::dateiinfoWindow() {
    return dateiinfo_.getOrCreate(*this);
}

void Program::unloadDateiinfo() {
    dateiinfo_.unload();
}

frmhelp& Program::helpWindow() {
    return help_.getOrCreate(*this);
}

void Program::unloadHelp() {
    help_.unload();
}

frmdir& Program::frmdirWindow() {
    return frmdir_.getOrCreate(*this);
}

void Program::unloadFrmdir() {
    frmdir_.unload();
}

quickinfo& Program::quickinfoWindow() {
    return quickinfo_.getOrCreate(*this);
}

void Program::unloadQuickinfo() {
    // A tick of the unloaded popup, still due before it is deleted, would act on its successor.
    if (quickinfo* popup = quickinfo_.get()) {
        popup->stopTimers();
    }
    quickinfo_.unload();
}
