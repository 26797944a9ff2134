#include "playlistwindow/PlaylistCommands.h"

#include "app/Program.h"
#include "folderbrowser/FolderBrowser.h"
#include "formats/ListFile.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/Transport.h"
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
    if (!writeListFile(chosen, program.frmopenWindow().folderList())) {
        tellWriteFailed(program.messages(), chosen);
        return false;
    }
    return true;
}

void saveFolderList(Program& program, const QString& initDir) {
    if (FileDialog* dialog = program.form1().fileDialog()) {
        saveFolderListVia(program, *dialog, initDir);
    }
}

void clearWithOffer(Program& program) {
    playlist* pl = program.playlistIfLoaded();
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
    if (playlist* still = program.playlistIfLoaded()) {
        still->clearList();
    }
}

void removeSelected(Program& program) {
    playlist& pl = program.playlistWindow();
    const int line = pl.listIndex();
    if (line == -1) {
        program.messages().show(QStringLiteral("Keine Datei selektiert!"), QStringLiteral("Fehler"),
                                MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation);
        return;
    }
    pl.removeLine(line);
    program.store.removeEntry(line + 1);
    program.form1().transport().queueFollowing();
}

void hidePlaylist(Program& program) {
    program.unloadPlaylist();
    program.form1().setPlaylistShown(false);
}

void markPlaylistShown(Program& program) {
    program.form1().setPlaylistShown(true);
}

void enlargePlaylist(Program& program) {
    playlist& pl = program.playlistWindow();
    pl.setListHeightTwips(playlist::kEnlargedListHeight);
    pl.setHeightTwips(playlist::kEnlargedHeight);
    program.form1().setEnlarged(true);
}

void shrinkPlaylist(Program& program) {
    playlist& pl = program.playlistWindow();
    pl.setListHeightTwips(playlist::kNormalListHeight);
    pl.setHeightTwips(playlist::kNormalHeight);
    program.form1().setEnlarged(false);
}

void toggleSize(Program& program) {
    const double height = program.playlistWindow().heightTwips();
    if (height < kEnlargeBelow) {
        enlargePlaylist(program);
    } else if (height > kShrinkAbove) {
        shrinkPlaylist(program);
    }
}

void insertmp3(Program& program) {
    frmopen& browser = program.frmopenWindow();
    browser.presetFolder(program.form1().standardFolder());
    browser.show();
}

void addFolder(Program& program, AddFolderFrom from) {
    Form1& form = program.form1();
    if (from == AddFolderFrom::MainWindow) {
        insertmp3(program);
        form.hide();
        if (playlist* pl = program.playlistIfLoaded()) {
            pl->hide();
        }
    } else {
        frmopen& browser = program.frmopenWindow();
        browser.presetFolder(form.standardFolder());
        program.holdPlayerWindows(&browser);
        browser.show();
    }
}
