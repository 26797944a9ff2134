#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <filesystem>
#include <string>

#include "RealPlayersFixture.h"
#include "folders/frmopen.h"
#include "platform/FileNames.h"
#include "player/Form1.h"

namespace {

// The folder browser's preview is a libmpv instance of its own: it loads and plays a file
// while the main player plays on undisturbed. Folder and file carry Latin-1 names, not UTF-8,
// as on old disks: the engine opens them by their bytes.
using PreviewPlayerTest = RealPlayersFixture;

TEST_F(PreviewPlayerTest, PlaysBesideTheMainPlayerWhichKeepsItsFileAndPosition) {
    const QTemporaryDir music;
    const QByteArray latin1 = QFile::encodeName(music.path()) + "/M\xf6tley";
    ASSERT_EQ(::mkdir(latin1.constData(), 0700), 0);
    // QTemporaryDir cannot see such names, and would leave them behind.
    const struct Removal {
        std::string folder;
        ~Removal() { std::filesystem::remove_all(folder); }
    } removal{latin1.toStdString()};
    std::filesystem::copy_file(QFile::encodeName(tone440()).toStdString(),
                               QByteArray(latin1 + "/Caf\xe9.mp3").toStdString());
    start();
    MediaPlayer& main = *program->form1().player();
    main.setFileName(longTone550());
    main.play();
    ASSERT_TRUE(waitUntil([&] { return main.currentPosition() > 0.3; }));

    frmopen& browser = program->frmopenWindow();
    browser.presetFolder(decodeFileName(latin1));
    ASSERT_TRUE(waitUntil([&] { return browser.Dir1->path() == decodeFileName(latin1); }));
    MediaPlayer& preview = *browser.MediaPlayer1;
    ASSERT_EQ(browser.File1->count(), 1);
    browser.File1_Click(browser.File1->fileName(0));
    runEventsFor(300);  // loaded, not started
    EXPECT_EQ(preview.currentPosition(), 0.0);

    QTest::mouseClick(browser.Label4, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return preview.currentPosition() > 0.3; }));
    const double mainPosition = main.currentPosition();
    EXPECT_GT(mainPosition, 0.6);  // it ran on all the while
    QTest::mouseClick(browser.Label5, Qt::LeftButton);
    EXPECT_EQ(preview.fileName(), "");
    EXPECT_TRUE(waitUntil([&] { return main.currentPosition() > mainPosition + 0.2; }));
    EXPECT_EQ(main.fileName(), longTone550());
    EXPECT_EQ(main.playState(), MediaPlayer::kPlaying);
}

}  // namespace
