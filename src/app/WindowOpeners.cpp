#include "app/WindowOpeners.h"

#include "app/PlaylistOperations.h"
#include "app/Program.h"
#include "help/HelpWindow.h"
#include "playlistwindow/TitleSearchWindow.h"
#include "playlistwindow/TrackInfoWindow.h"
#include "popup/TrackChangePopup.h"

namespace {

void bringForward(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace

void showHelp(Program& program) {
    bringForward(program.helpWindow());
}

void showSearch(Program& program) {
    bringForward(program.searchWindow());
}

void showTrackInfo(Program& program) {
    // Loading the window measures the length; a window already open keeps its length.
    TrackInfoWindow& window = program.trackInfoWindow();
    bringForward(window);
    window.pathEdit->setText(selectedPath(program));
}

void showPopup(Program& program, const QString& title) {
    TrackChangePopup& popup = program.popup();
    popup.show();
    popup.titleLabel->setCaption(title);
}

void announceTrackChange(Program& program, const QString& title) {
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

void setPopupTitle(Program& program, const QString& title) {
    program.popup().titleLabel->setCaption(title);
}
