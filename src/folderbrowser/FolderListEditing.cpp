// The folder browser's editing of its folder list: add, delete, drag, clear, save and load.
#include <QDir>
#include <QFileInfo>

#include "folderbrowser/FolderBrowser.h"
#include "formats/ListFile.h"
#include "platform/FileNames.h"
#include "platform/MessageBoxes.h"
#include "util/FileMessages.h"

void FolderBrowser::addHighlightedFolder() {
    const QString folder = folderTree->highlightedPath();
    if (folder.isEmpty()) {
        return;
    }
    // The list files hold one folder per line: such a folder would be dropped at the commit.
    if (!storableInListFile(folder)) {
        messages_.show(
            QStringLiteral("Der Ordner \"%1\" hat einen Zeilenumbruch im Namen und kann daher "
                           "nicht in die Liste der Verzeichnisse aufgenommen werden.")
                .arg(shownFileName(folder)),
            QStringLiteral("Fehler"), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation);
        return;
    }
    folderListBox->append(folder);  // the same folder may stand more than once
}

// The pressed line travels with the mouse one place at a time, the others keeping their
// order, however far the mouse went since the last move.
void FolderBrowser::dragFolder(Qt::MouseButtons buttons, QPoint pos) {
    const int target = folderListBox->rowAt(pos);
    if (buttons == Qt::NoButton || dragPosition_ < 0 || target < 0 || target == dragPosition_) {
        return;
    }
    const int step = target > dragPosition_ ? 1 : -1;
    while (dragPosition_ != target) {
        folderListBox->swapEntries(dragPosition_, dragPosition_ + step);
        dragPosition_ += step;
    }
    folderListBox->setListIndex(dragPosition_);
}

bool FolderBrowser::saveListVia(FileDialog& dialog, const QString& initDir) {
    folders_.makeProgramFolder();  // the dialog opens in it or in its Playlist folder
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
    if (!writeListFile(chosen, folderList())) {
        tellWriteFailed(messages_, chosen);
        return false;
    }
    return true;
}

void FolderBrowser::clearList() {
    if (folderListBox->count() == 0) {
        return;
    }
    const MessageBoxes::Answer answer = messages_.show(
        QStringLiteral("Wollen sie die Verzeichnisse speichern bevor sie sie löschen ?"),
        QStringLiteral("Meldung"), MessageBoxes::Buttons::YesNoCancel, MessageBoxes::Icon::None);
    // A save that was cancelled or failed keeps the list: it was to be kept somewhere first.
    const bool clear =
        answer == MessageBoxes::Answer::No || (answer == MessageBoxes::Answer::Yes && fileDialog &&
                                               saveListVia(*fileDialog, folders_.playlists));
    if (clear) {
        folderListBox->lines->setStringList({});
    }
}

void FolderBrowser::loadList(const QString& path) {
    if (QFileInfo(path).size() > kListFileMaxBytes) {
        messages_.show(QStringLiteral("Die Datei \"%1\" ist größer als 1 MB und damit keine "
                                      "Verzeichnisliste. Sie wurde nicht geladen.")
                           .arg(QDir::toNativeSeparators(path)),
                       QStringLiteral("Fehler"), MessageBoxes::Buttons::Ok,
                       MessageBoxes::Icon::Exclamation);
        return;
    }
    const std::optional<ListFileContents> read = readListFileContents(path);
    if (!read) {
        tellReadFailed(messages_, path);
        return;
    }
    // The store keeps its entries: the main player may move on to the next one while the
    // browser is open, and closing the browser blanks them itself before it scans.
    folderListBox->lines->setStringList(read->records);
    tellListCut(messages_, path, *read);
}
