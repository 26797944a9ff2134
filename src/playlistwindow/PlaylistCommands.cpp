#include "playlistwindow/PlaylistCommands.h"

#include "app/Program.h"
#include "folderbrowser/FolderBrowser.h"
#include "formats/ListFile.h"
#include "mainwindow/MainWindow.h"
#include "playlistwindow/PlaylistWindow.h"
#include "util/FileMessages.h"

namespace {

constexpr double kEnlargeBelow = 3500;
constexpr double kShrinkAbove = 5500;

}  // namespace

bool saveFolderListVia(Program& program, FileDialog& dialog, const QString& initDir) {
    program.makeProgramFolder();  // the dialog opens in it or in its Playlist folder
    dialog.dialogTitle = QStringLiteral("Playlist speichern");
    dialog.fileName = QStringLiteral("myplaylist");
    dialog.filter = QStringLiteral("Playlist-Dateien |*.mpc");
    dialog.initDir = initDir;
    dialog.defaultExt = QStringLiteral(".mpc");
    dialog.showSave();
    // A cancelled dialog leaves no name, and nothing is written.
    const QString chosen = dialog.fileName;
    if (chosen.isEmpty()) {
        return false;
    }
    if (!writeListFile(chosen, program.folderBrowser().folderList())) {
        tellWriteFailed(program.messages(), chosen);
        return false;
    }
    return true;
}

void saveFolderList(Program& program, const QString& initDir) {
    if (FileDialog* dialog = program.mainWindow().fileDialog()) {
        saveFolderListVia(program, *dialog, initDir);
    }
}

void clearWithOffer(Program& program) {
    PlaylistWindow* pl = program.playlistIfLoaded();
    if (pl == nullptr || pl->lineCount() == 0) {
        return;
    }
    const auto answer = program.messages().show(
        QStringLiteral("Wollen sie die Playlist speichern bevor sie sie löschen ?\r\n\r\n"
                       "Wählen sie \"Abbrechen\", um keine Aktion durchzuführen."),
        QStringLiteral("Meldung"), MessageBoxes::Buttons::YesNoCancel, MessageBoxes::Icon::None);
    if (answer == MessageBoxes::Answer::Cancel) {
        return;
    }
    if (answer == MessageBoxes::Answer::Yes) {
        saveFolderList(program, program.programFolder());
    }
    // The save dialog may have run the event loop: the window may be gone by now.
    if (PlaylistWindow* still = program.playlistIfLoaded()) {
        still->clearList();
    }
}

void removeSelected(Program& program) {
    PlaylistWindow& pl = program.playlistWindow();
    const int line = pl.listIndex();
    if (line == -1) {
        program.messages().show(QStringLiteral("Keine Datei selektiert!"), QStringLiteral("Fehler"),
                                MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation);
        return;
    }
    pl.removeLine(line);
    program.playbackModel().removeEntry(line + 1);
}

void hidePlaylist(Program& program) {
    program.unloadPlaylist();
    program.mainWindow().setPlaylistShown(false);
}

void markPlaylistShown(Program& program) {
    program.mainWindow().setPlaylistShown(true);
}

void enlargePlaylist(Program& program) {
    PlaylistWindow& pl = program.playlistWindow();
    pl.setListHeightTwips(PlaylistWindow::kEnlargedListHeight);
    pl.setHeightTwips(PlaylistWindow::kEnlargedHeight);
    program.mainWindow().setEnlarged(true);
}

void shrinkPlaylist(Program& program) {
    PlaylistWindow& pl = program.playlistWindow();
    pl.setListHeightTwips(PlaylistWindow::kNormalListHeight);
    pl.setHeightTwips(PlaylistWindow::kNormalHeight);
    program.mainWindow().setEnlarged(false);
}

void togglePlaylistSize(Program& program) {
    const double height = program.playlistWindow().heightTwips();
    if (height < kEnlargeBelow) {
        enlargePlaylist(program);
    } else if (height > kShrinkAbove) {
        shrinkPlaylist(program);
    }
}

void openFolderBrowser(Program& program) {
    FolderBrowser& browser = program.folderBrowser();
    browser.presetFolder(program.settings().standardFolder());
    browser.show();
}

void addFolder(Program& program, AddFolderFrom from) {
    MainWindow& form = program.mainWindow();
    if (from == AddFolderFrom::MainWindow) {
        openFolderBrowser(program);
        form.hide();
        if (PlaylistWindow* pl = program.playlistIfLoaded()) {
            pl->hide();
        }
    } else {
        FolderBrowser& browser = program.folderBrowser();
        browser.presetFolder(program.settings().standardFolder());
        program.holdPlayerWindows(&browser);
        browser.show();
    }
}
