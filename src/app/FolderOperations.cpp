#include "app/FolderOperations.h"

#include "app/PlaylistOperations.h"
#include "app/Program.h"
#include "folderbrowser/FolderBrowser.h"
#include "folderbrowser/FolderChooser.h"
#include "mainwindow/MainWindow.h"
#include "options/OptionsDialog.h"
#include "playlistwindow/PlaylistWindow.h"

void connectOptionsDialog(Program& program, OptionsDialog& dialog) {
    QObject::connect(&dialog, &OptionsDialog::holdingPlayerWindows, &dialog,
                     [&program, &dialog](bool holding) {
                         if (holding) {
                             program.holdPlayerWindows(&dialog);
                         } else {
                             program.releasePlayerWindows(&dialog);
                         }
                     });
    QObject::connect(&dialog, &OptionsDialog::folderChooserRequested, &dialog,
                     [&program, &dialog](const QString& folder) {
                         FolderChooser& chooser = program.folderChooser();
                         QObject::connect(&chooser, &FolderChooser::chosen, &dialog,
                                          &OptionsDialog::takeChosenFolder, Qt::UniqueConnection);
                         chooser.open(dialog, folder);
                     });
}

void connectFolderBrowser(Program& program, FolderBrowser& browser) {
    QObject::connect(&browser, &FolderBrowser::commitRequested, &browser, [&program] {
        writeFoldersDat(program);
        // The playlist window comes back afresh, in the size the main window's toggle records.
        program.unloadPlaylist();
        showPlaylist(program);
        program.abandonScan();
    });
    // The browser ends up holding the list folders.dat holds, with a scan of it pending.
    QObject::connect(&browser, &FolderBrowser::left, &browser, [&program, &browser] {
        if (PlaylistWindow* pl = program.playlistIfLoaded()) {
            pl->clearList();
        }
        reloadFoldersDat(program);
        program.releasePlayerWindows(&browser);
        program.mainWindow().show();
        program.playlistWindow().show();
        // Shown, and the main window's playlist buttons say so.
        program.mainWindow().setPlaylistShown(true);
    });
}
