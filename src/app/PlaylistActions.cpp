#include "app/PlaylistActions.h"

#include <QTimer>

#include "app/Docking.h"
#include "app/Program.h"
#include "folderbrowser/FolderBrowser.h"
#include "formats/ListFile.h"
#include "mainwindow/MainWindow.h"
#include "playlistwindow/PlaylistCommands.h"
#include "playlistwindow/PlaylistWindow.h"
#include "util/FileMessages.h"
#include "util/Twips.h"

namespace {

void showPlaylist(Program& program) {
    Form1& form = program.form1();
    playlist& pl = program.playlistWindow();
    const Desktop& d = program.desktop();
    pl.show();
    const double formTop = twips::top(form, d);
    const double formBottom = formTop + twips::height(form, d);
    placePlaylistOverlapping(program);
    if (dockingLimit(program) < twips::left(form, d)) {
        twips::setTop(pl, formBottom, d);
    } else {
        twips::moveTo(pl, twips::left(form, d), formBottom - kActivationOverlap, d);
    }
    pl.fillFromStore();
    markPlaylistShown(program);
    if (form.isEnlarged()) {
        enlargePlaylist(program);
    }
}

// Writes the folder browser's list to folders.dat. The caller goes on either way; when it
// could not be written the user is told, since the list is then lost at the next reload.
void makeauto(Program& program) {
    program.makeProgramFolder();
    if (writeListFile(program.foldersPath(), program.frmopenWindow().folderList())) {
        program.foldersCutTold = false;  // a new file: a cut of it is news
    } else {
        tellWriteFailed(program.messages(), program.foldersPath());
    }
}

// Reloads the folder list from folders.dat and asks for a scan. A missing file leaves the
// list empty and asks for nothing: the state of a fresh installation.
void openauto(Program& program) {
    frmopen& browser = program.frmopenWindow();
    browser.setFolderList({});
    program.store.blankEntries();
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
        QTimer::singleShot(0, &program.form1(), [&program, lost] {
            tellListCut(program.messages(), program.foldersPath(), lost);
        });
    }
    program.requestScan();
}

}  // namespace

void plaction(Program& program, const QString& command) {
    if (command == QLatin1String("showpl")) {
        showPlaylist(program);
    } else if (command == QLatin1String("openauto")) {
        openauto(program);
    } else if (command == QLatin1String("makeauto")) {
        makeauto(program);
    }
}
