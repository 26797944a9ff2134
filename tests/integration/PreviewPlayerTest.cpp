#include <QTest>

#include "RealPlayersFixture.h"
#include "folders/frmopen.h"
#include "player/Form1.h"

namespace {

// The folder browser's preview is a libmpv instance of its own: it loads and plays a file
// while the main player plays on undisturbed.
using PreviewPlayerTest = RealPlayersFixture;

TEST_F(PreviewPlayerTest, PlaysBesideTheMainPlayerWhichKeepsItsFileAndPosition) {
    start();
    MediaPlayer& main = *program->form1().MediaPlayer1;
    main.setFileName(longTone550());
    main.play();
    ASSERT_TRUE(waitUntil([&] { return main.currentPosition() > 0.3; }));

    frmopen& browser = program->frmopenWindow();
    browser.presetFolder(fixture("audio"));
    ASSERT_TRUE(waitUntil([&] { return browser.Dir1->path() == fixture("audio"); }));
    MediaPlayer& preview = *browser.MediaPlayer1;
    browser.File1_Click("tone_440hz_1s.mp3");
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
