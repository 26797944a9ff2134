// The two ways out of the folder browser: commit the folder list, or discard the edits. Both
// rebuild the playlist from folders.dat and give the player's windows back.
#include "app/PlaylistOperations.h"
#include "app/Program.h"
#include "folderbrowser/FolderBrowser.h"
#include "mainwindow/MainWindow.h"
#include "playlistwindow/PlaylistWindow.h"

void FolderBrowser::commit() {
    writeFoldersDat(program_);
    // The playlist window comes back afresh, in the size the main window's toggle records.
    program_.unloadPlaylist();
    showPlaylist(program_);
    program_.abandonScan();
    closingSteps();
    giveMainWindowsBack();
}

void FolderBrowser::discard() {
    closingSteps();
    giveMainWindowsBack();
}

// The window ends up hidden, holding the list folders.dat holds, with a scan of it pending.
void FolderBrowser::closingSteps() {
    hide();
    if (PlaylistWindow* pl = program_.playlistIfLoaded()) {
        pl->clearList();
    }
    reloadFoldersDat(program_);
    unloadPreview();
    program_.releasePlayerWindows(this);
}

void FolderBrowser::giveMainWindowsBack() {
    program_.mainWindow().show();
    PlaylistWindow& pl = program_.playlistWindow();
    pl.show();
    // Shown, and the main window's playlist buttons say so.
    program_.mainWindow().setPlaylistShown(true);
}
