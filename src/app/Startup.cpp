#include "app/Startup.h"

#include <QFileInfo>

#include "app/Docking.h"
#include "app/MainActivation.h"
#include "app/MainWindowWiring.h"
#include "app/PlaylistActions.h"
#include "app/Program.h"
#include "app/WindowRoles.h"
#include "folderbrowser/FolderBrowser.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/Tray.h"
#include "mainwindow/VolumeControl.h"
#include "options/OptionsDialog.h"
#include "options/OptionsOpeners.h"
#include "playlistwindow/PlaylistCommands.h"
#include "playlistwindow/PlaylistWindow.h"
#include "util/AtomicFile.h"

namespace {

void wireMainWindow(Program& program) {
    Form1& form = program.form1();
    new MainWindowHandlers(program);     // owned by the main window
    new MainActivation(program, &form);  // owned by the main window
}

void applyPlaylistSettings(Program& program) {
    Form1& form = program.form1();
    options& opts = program.optionsWindow();

    form.setPlaylistShown(false);
    if (options::value(*opts.optexppl) == 1) {
        enlargePlaylist(program);
        form.setPlaylistMark(QStringLiteral("1"));
    }
    if (options::value(*opts.optshowpl) == 1) {
        plaction(program, QStringLiteral("showpl"));
        form.setPlaylistShown(true);
    } else {
        program.playlistWindow().hide();
        form.setPlaylistShown(false);
    }
    opts.applyAlwaysShowRule();
}

// A run that ended in the middle of writing a file may have left its temporary file behind.
void removeLeftoversOfInterruptedWrites(const Program& program) {
    QStringList folders{QFileInfo(program.settingsPath()).absolutePath(),
                        QFileInfo(program.foldersPath()).absolutePath(), program.playlistFolder()};
    folders.removeDuplicates();
    for (const QString& folder : folders) {
        removeStaleTemporaryFiles(folder);
    }
}

}  // namespace

void startUp(Program& program) {
    removeLeftoversOfInterruptedWrites(program);
    Form1& form = program.form1();
    new WindowRoles(program, &form);  // owned by the main window; before any window shows
    form.volume().setMutingHeight();
    form.volume().findMixerControls();
    program.frmopenWindow();
    plaction(program, QStringLiteral("openauto"));
    form.tray().setup();
    program.optionsWindow();

    // A missing or broken settings file is not worth a message: a bad line keeps its initial
    // value, and the others are read all the same.
    rereadSettings(program);
    form.setStandardFolder(program.optionsWindow().estfolder->text());
    form.volume().placeThumb();

    applyPlaylistSettings(program);

    program.playlistWindow();  // placed even when it stays hidden
    placeMainWindowOnScreen(program);
    placePlaylistOverlapping(program);
    wireMainWindow(program);
    wireOptionsOpeners(program);
    form.show();
    // A window manager may leave a window out of the task list unfocused when it maps it.
    program.windowSystem().bringToFront(form);
}
