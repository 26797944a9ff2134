#include "platform/QtFileDialog.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// The folder the dialog shows and the name it offers, read while it is open; then cancelled.
QString shownBy(FileDialog& dialog, void (FileDialog::*show)()) {
    QString shown = QStringLiteral("no dialog");
    QTimer::singleShot(0, [&shown] {
        if (auto* open = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            shown = open->directory().dirName() + QLatin1Char('|') +
                    open->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            open->reject();
        }
    });
    (dialog.*show)();
    return shown;
}

// A dialog opens in its own folder, where there is one, and offers a file chosen before only
// where it lies there and passes the filter; a bare name preset for saving is always offered.
TEST(QtFileDialogTest, OpensInItsFolderWithoutAFileAnotherDialogChoseElsewhere) {
    const QTemporaryDir root;
    const QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath("Playlist") && dir.mkpath("Musik"));
    for (const char* name : {"liste.mpc", "Playlist/liste.mpc", "Musik/a.mp3"}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QtFileDialog dialog;
    const auto open = [&](const char* chosen, const char* folder, const char* filter) {
        dialog.fileName = dir.filePath(chosen);
        dialog.initDir = dir.filePath(folder);
        dialog.filter = filter;
        return shownBy(dialog, &FileDialog::showOpen);
    };
    const char* lists = "Playlist-Dateien (*.mpc)|*.mpc";
    const char* mp3 = "MP3 - Dateien (*.mp3)|*.mp3";
    EXPECT_EQ(open("liste.mpc", "Playlist", lists), "Playlist|");
    EXPECT_EQ(open("Playlist/liste.mpc", "Playlist", mp3), "Playlist|");
    EXPECT_EQ(open("Musik/a.mp3", "Musik", mp3), "Musik|a.mp3");
    EXPECT_EQ(open("Musik/a.mp3", "weg", mp3), "Musik|");  // no folder: where the last one was

    dialog.fileName = QStringLiteral("myplaylist");
    dialog.initDir = dir.filePath("Playlist");
    EXPECT_EQ(shownBy(dialog, &FileDialog::showSave), "Playlist|myplaylist");
}

}  // namespace
