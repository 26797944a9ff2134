#include "app/PlaylistActions.h"

#include <QTimer>

#include "app/Program.h"
#include "folderbrowser/FolderBrowser.h"
#include "formats/ListFile.h"
#include "mainwindow/Docking.h"
#include "mainwindow/MainWindow.h"
#include "playlistwindow/PlaylistCommands.h"
#include "playlistwindow/PlaylistWindow.h"
#include "util/FileMessages.h"

void showPlaylist(Program& program) {
    MainWindow& form = program.mainWindow();
    PlaylistWindow& pl = program.playlistWindow();
    pl.show();
    form.docking().placeShown();
    pl.fillFromStore();
    markPlaylistShown(program);
    if (form.isEnlarged()) {
        enlargePlaylist(program);
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
    browser.setFolderList({});
    program.playbackModel().blankPlaylist();
    const std::optional<ListFileContents> read = readListFileContents(program.foldersPath());
    if (!read) {
        return;
    }
    browser.setFolderList(read->records);
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
