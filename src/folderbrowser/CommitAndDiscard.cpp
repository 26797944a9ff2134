// The two ways out of the folder browser: commit the folder list, or discard the edits. Both
// rebuild the playlist from folders.dat and give the player's windows back.
#include "app/PlaylistActions.h"
#include "app/Program.h"
#include "folderbrowser/FolderBrowser.h"
#include "mainwindow/MainWindow.h"
#include "playlistwindow/PlaylistCommands.h"
#include "playlistwindow/PlaylistWindow.h"

void frmopen::Command1_Click() {
    plaction(program_, QStringLiteral("makeauto"));
    // The playlist window comes back afresh, in the size the main window's toggle records.
    program_.unloadPlaylist();
    plaction(program_, QStringLiteral("showpl"));
    program_.abandonScan();
    closingSteps();
    giveMainWindowsBack();
}

void frmopen::Command2_Click() {
    closingSteps();
    giveMainWindowsBack();
}

// The window ends up hidden, holding the list folders.dat holds, with a scan of it pending.
void frmopen::closingSteps() {
    hide();
    if (playlist* pl = program_.playlistIfLoaded()) {
        pl->clearList();
    }
    plaction(program_, QStringLiteral("openauto"));
    stopPreview();
    program_.releasePlayerWindows(this);
}

void frmopen::giveMainWindowsBack() {
    program_.form1().show();
    playlist& pl = program_.playlistWindow();
    pl.show();
    // Shown, and the main window's playlist buttons say so.
    markPlaylistShown(program_);
}
