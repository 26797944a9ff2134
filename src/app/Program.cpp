#include "app/Program.h"

#include "folders/frmopen.h"
#include "player/Form1.h"
#include "settings/SettingsFile.h"
#include "playlist/playlist.h"
#include "windows/options.h"

Program::Program(QString programFolder, PlatformServices services)
    : programFolder_(std::move(programFolder)), services_(std::move(services)) {}

Program::~Program() {
    // The auxiliary windows refer to the main window; they go first.
    playlist_.reset();
    frmopen_.reset();
    options_.reset();
    form1_.reset();
}

QString Program::settingsPath() const { return ::settingsPath(programFolder_); }

std::unique_ptr<MediaPlayer> Program::makePlayer() const {
    return services_.makePlayer ? services_.makePlayer() : nullptr;
}

std::unique_ptr<FileDialog> Program::makeFileDialog() const {
    return services_.makeFileDialog ? services_.makeFileDialog() : nullptr;
}

bool Program::prepareEngine() const {
    return services_.prepareEngine ? services_.prepareEngine() : true;
}

Form1& Program::form1() {
    if (!form1_) {
        form1_ = std::make_unique<Form1>(*this);
    }
    return *form1_;
}

playlist& Program::playlistWindow() {
    if (!playlist_) {
        playlist_ = std::make_unique<playlist>(*this);
    }
    return *playlist_;
}

void Program::unloadPlaylist() {
    if (playlist_) {
        playlist_->hide();
        // The window may be unloaded from one of its own handlers: delete it once they return.
        playlist_.release()->deleteLater();
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
    if (services_.endProcess) {
        services_.endProcess();
    }
}
