#include "app/WindowOpeners.h"

#include "app/PlaylistOperations.h"
#include "app/Program.h"
#include "mainwindow/MainWindow.h"
#include "playlistwindow/TrackInfoWindow.h"
#include "popup/TrackChangePopup.h"

void showOnTop(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

void showTrackInfo(Program& program) {
    // Loading the window measures the length; a window already open keeps its length.
    TrackInfoWindow& window = program.trackInfo.getOrCreate(
        program.desktop(), program.mainWindow().infoPlayer(), selectedPath(program));
    showOnTop(window);
    window.pathEdit->setText(selectedPath(program));
}

void showPopup(Program& program, const QString& title) {
    TrackChangePopup& popup = program.popup();
    popup.show();
    popup.titleLabel->setCaption(title);
}

void announceTrackChange(Program& program, const QString& title, PlaybackModel::Start how) {
    if (how != PlaybackModel::Start::Step) {
        program.popup().titleLabel->setCaption(title);
        return;
    }
    const SettingsModel& settings = program.settings();
    TrackChangePopup* loaded = program.popupIfLoaded();
    if (loaded != nullptr && !settings.isOn(SettingsModel::KeepPopupOpen)) {
        loaded->unload();
    }
    if (settings.isOn(SettingsModel::PopupAtTrackChange)) {
        showPopup(program, title);
    }
    program.popup().slideTimer->setEnabled(true);
}
