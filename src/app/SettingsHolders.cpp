#include "app/SettingsHolders.h"

#include "app/Program.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/VolumeControl.h"
#include "options/OptionsDialog.h"

Settings settingsFromHolders(Program& program) {
    OptionsDialog& o = program.optionsDialog();
    Settings s;
    s.showPlaylistAtStart = OptionsDialog::value(*o.showPlaylistBox);
    s.enlargePlaylistAtStart = OptionsDialog::value(*o.enlargePlaylistBox);
    s.confirmExit = OptionsDialog::value(*o.confirmExitBox);
    s.standardFolder = o.standardFolderEdit->text();
    s.popupAtTrackChange = OptionsDialog::value(*o.popupBox);
    s.keepPopupOpen = OptionsDialog::value(*o.keepPopupBox);
    s.volume = program.mainWindow().volumeSetting().value();
    return s;
}

void applyToHolders(Program& program, const SettingsRead& read) {
    OptionsDialog& o = program.optionsDialog();
    if (read.showPlaylistAtStart) {
        OptionsDialog::setValue(*o.showPlaylistBox, *read.showPlaylistAtStart);
    }
    if (read.enlargePlaylistAtStart) {
        OptionsDialog::setValue(*o.enlargePlaylistBox, *read.enlargePlaylistAtStart);
    }
    if (read.confirmExit) {
        OptionsDialog::setValue(*o.confirmExitBox, *read.confirmExit);
    }
    if (read.standardFolder) {
        o.standardFolderEdit->setText(*read.standardFolder);
    }
    if (read.popupAtTrackChange) {
        OptionsDialog::setValue(*o.popupBox, *read.popupAtTrackChange);
    }
    if (read.keepPopupOpen) {
        OptionsDialog::setValue(*o.keepPopupBox, *read.keepPopupOpen);
    }
    if (read.volume) {
        program.mainWindow().volume().setStoredVolume(*read.volume);
    }
}

VolumeRange volumeRange(Program& program) {
    // The values the slider itself gives, from its left end to its right end.
    return VolumeRange{0, program.mainWindow().volumeSetting().span()};
}

bool saveSettings(Program& program) {
    program.makeProgramFolder();
    return writeSettings(program.settingsPath(), settingsFromHolders(program));
}
