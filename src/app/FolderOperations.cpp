#include "app/FolderOperations.h"

#include <QTimer>

#include "app/PlaylistOperations.h"
#include "app/Program.h"
#include "folderbrowser/FolderBrowser.h"
#include "folderbrowser/FolderChooser.h"
#include "formats/ListFile.h"
#include "mainwindow/MainWindow.h"
#include "options/OptionsDialog.h"
#include "playlistwindow/PlaylistWindow.h"
#include "util/FileMessages.h"

void connectOptionsDialog(Program& program, OptionsDialog& dialog) {
    QObject::connect(
        &dialog, &OptionsDialog::holdingPlayerWindows, &dialog, [&program, &dialog](bool holding) {
            holding ? program.holdPlayerWindows(&dialog) : program.releasePlayerWindows(&dialog);
        });
    QObject::connect(&dialog, &OptionsDialog::folderChooserRequested, &dialog,
                     [&program, &dialog](const QString& folder) {
                         FolderChooser& chooser = program.folderChooser.getOrCreate(
                             program.desktop(), program.messages(), program.folderSource(),
                             program.programFolder());
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
            pl->lines->setStringList({});
        }
        reloadFoldersDat(program);
        program.releasePlayerWindows(&browser);
        program.mainWindow().show();
        program.playlistWindow().show();
        // Shown, and the main window's playlist buttons say so.
        program.mainWindow().setPlaylistShown(true);
    });
}

void saveFolderList(Program& program, const QString& initDir) {
    if (FileDialog* dialog = program.mainWindow().fileDialog()) {
        program.folderBrowser().saveListVia(*dialog, initDir);
    }
}

void addFolder(Program& program, AddFolderFrom from) {
    FolderBrowser& browser = program.folderBrowser();
    browser.presetFolder(program.settings().standardFolder());
    if (from == AddFolderFrom::MainWindow) {
        browser.show();
        program.mainWindow().hide();
        if (PlaylistWindow* pl = program.playlistIfLoaded()) {
            pl->hide();
        }
    } else {
        program.holdPlayerWindows(&browser);
        browser.show();
    }
}

void writeFoldersDat(Program& program) {
    program.makeProgramFolder();
    if (writeListFile(program.foldersPath(), program.folderBrowser().folderList())) {
        program.foldersCutTold = false;  // a new file: a cut of it is news
    } else {
        tellWriteFailed(program.messages(), program.foldersPath());
    }
}

void reloadFoldersDat(Program& program) {
    FolderBrowser& browser = program.folderBrowser();
    browser.folderListBox->lines->setStringList({});
    program.playbackModel().blankPlaylist();
    const std::optional<ListFileContents> read = readListFileContents(program.foldersPath());
    if (!read) {
        return;
    }
    browser.folderListBox->lines->setStringList(read->records);
    // Said once per file, before a commit can write the shortened list back; after the start-up
    // has shown the main window, which a modal box would hold up.
    if (read->lostLines() && !program.foldersCutTold) {
        program.foldersCutTold = true;
        const ListFileContents lost{{}, read->cutShort, read->overlongLines, read->linesRead};
        QTimer::singleShot(0, &program.mainWindow(), [&program, lost] {
            tellListCut(program.messages(), program.foldersPath(), lost);
        });
    }
    program.requestScan();
}
