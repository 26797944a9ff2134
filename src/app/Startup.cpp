#include "app/Startup.h"

#include <QFileInfo>

#include "app/FolderOperations.h"
#include "app/PlaylistOperations.h"
#include "app/Program.h"
#include "app/WindowRoles.h"
#include "app/Wiring.h"
#include "folderbrowser/FolderBrowser.h"
#include "mainwindow/Docking.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/Tray.h"
#include "mainwindow/VolumeControl.h"
#include "options/OptionsDialog.h"
#include "playlistwindow/PlaylistWindow.h"
#include "util/AtomicFile.h"

namespace {

void applyPlaylistSettings(Program& program) {
    MainWindow& form = program.mainWindow();
    SettingsModel& settings = program.settings();

    form.setPlaylistShown(false);
    if (settings.isOn(SettingsModel::EnlargePlaylistAtStart)) {
        setPlaylistEnlarged(program, true);
    }
    if (settings.isOn(SettingsModel::ShowPlaylistAtStart)) {
        showPlaylist(program);  // which marks it shown
    } else {
        program.playlistWindow().hide();
        form.setPlaylistShown(false);
    }
    // Keeping the popup open is only offered while the popup is on.
    if (!settings.isOn(SettingsModel::PopupAtTrackChange)) {
        settings.set(SettingsModel::KeepPopupOpen, false);
    }
}

// A run that ended in the middle of writing a file may have left its temporary file behind.
void removeLeftoversOfInterruptedWrites(Program& program) {
    QStringList folders{QFileInfo(program.settings().path()).absolutePath(),
                        QFileInfo(program.foldersPath()).absolutePath(), program.playlistFolder()};
    folders.removeDuplicates();
    for (const QString& folder : folders) {
        removeStaleTemporaryFiles(folder);
    }
}

}  // namespace

void startUp(Program& program) {
    removeLeftoversOfInterruptedWrites(program);
    MainWindow& form = program.mainWindow();
    new WindowRoles(program, &form);  // owned by the main window; before any window shows
    form.volume().findMixerControls();
    program.folderBrowser();
    reloadFoldersDat(program);
    form.tray().setup();
    program.optionsDialog();

    // A missing or broken settings file is not worth a message: a bad line keeps its initial
    // value, and the others are read all the same.
    SettingsModel& settings = program.settings();
    settings.reread();
    settings.setStandardFolder(settings.editedFolder());
    form.volume().placeThumb();

    applyPlaylistSettings(program);

    program.playlistWindow();  // placed even when it stays hidden
    form.docking().placeOnScreen();
    form.docking().placeOverlapping();
    wireWindows(program);
    form.show();
    // A window manager may leave a window out of the task list unfocused when it maps it.
    program.windowSystem().bringToFront(form);
}
