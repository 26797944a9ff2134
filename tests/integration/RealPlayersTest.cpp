#include <sys/stat.h>
#include <QScopeGuard>
#include <filesystem>

#include "MpvTestSupport.h"
#include "app/PlaylistOperations.h"
#include "mainwindow/PositionBar.h"
#include "platform/AlsaMixer.h"
#include "platform/FileNames.h"
#include "playlistwindow/TrackInfoWindow.h"

namespace {

class RealPlayersTest : public RealPlayersFixture {
protected:
    MediaPlayer& player() { return *mainWindow().player(); }
    // Drags the position notch to the mouse's place, in pixels.
    void dragNotchTo(QPoint mouse) {
        QTest::mousePress(label("positionNotch"), Qt::LeftButton);
        desktop->cursor = mouse;
        mainWindow().position().showPosition();
        QTest::mouseRelease(label("positionNotch"), Qt::LeftButton);
    }
};

// A seek to the end while paused, or after Stop, ends the track as playing up to it does; a seek
// while paused lands where the notch was let go.
TEST_F(RealPlayersTest, TheNotchSeeksPastTheEndTakesTheNextTrackAndThePreviewPlaysBeside) {
    start();
    model().fillPlaylist({{"A", longTone550}, {"B", longTone550}, {"C", longTone550}}, {1, 2, 3});
    click("nextButton");
    for (const auto& [halt, next] : {std::pair{"pauseButton", "B"}, {"stopButton", "C"}}) {
        SCOPED_TRACE(next);
        ASSERT_TRUE(waitUntil([&] { return player().currentPosition() > 0.1; }));
        click(halt);
        ASSERT_NE(player().playState(), MediaPlayer::kPlaying);
        dragNotchTo(QPoint(5000, 0));  // far right of the bar
        ASSERT_TRUE(waitUntil([&] {
            return label("titleMarquee")->caption() == next &&
                   player().playState() == MediaPlayer::kPlaying && player().duration() > 0;
        }));
        mainWindow().position().showPosition();
        EXPECT_TRUE(label("clock")->caption().endsWith(" / 0:04"))
            << label("clock")->caption().toStdString();
    }
    ASSERT_TRUE(
        waitUntil([&] { return player().duration() > 0 && player().currentPosition() > 0.1; }));
    player().pause();
    // The notch 2380 of 3165 twips along the bar, 170 twips left of the mouse.
    dragNotchTo(QPoint(mainWindow().x() + (3940 + 170) / 15, mainWindow().y()));
    const double target = player().duration() * 2380 / 3165;
    EXPECT_TRUE(waitUntil([&] { return std::abs(player().currentPosition() - target) < 0.5; }))
        << "at " << player().currentPosition() << " s, target " << target << " s";
    runEventsFor(300);  // mpv's reports once the seek has landed
    EXPECT_NEAR(player().currentPosition(), target, 0.001);
    mainWindow().position().showPosition();
    EXPECT_EQ(label("clock")->caption(), "0:03 / 0:04");

    // The folder browser's preview is a libmpv instance of its own, beside the main player.
    // Folder and file carry Latin-1 names, as on old disks: the engine opens them by their bytes.
    const QTemporaryDir music;
    const QByteArray latin1 = QFile::encodeName(music.path()) + "/M\xf6tley";
    ASSERT_EQ(::mkdir(latin1.constData(), 0700), 0);
    // QTemporaryDir cannot see such names, and would leave them behind.
    const auto removal = qScopeGuard([&] { std::filesystem::remove_all(latin1.toStdString()); });
    std::filesystem::copy_file(QFile::encodeName(tone440).toStdString(),
                               QByteArray(latin1 + "/Caf\xe9.mp3").toStdString());
    player().setFileName(longTone550);
    player().play();
    ASSERT_TRUE(waitUntil([&] { return player().currentPosition() > 0.3; }));

    browser().presetFolder(decodeFileName(latin1));
    ASSERT_TRUE(waitUntil([&] { return browser().folderTree->path() == decodeFileName(latin1); }));
    MediaPlayer& preview = *browser().previewPlayer;
    ASSERT_EQ(browser().fileNames->rowCount(), 1);
    browser().loadPreview(browser().fileNames->stringList().at(0));
    runEventsFor(300);  // loaded, not started
    EXPECT_EQ(preview.currentPosition(), 0.0);
    QTest::mouseClick(browser().previewPlayButton, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return preview.currentPosition() > 0.3; }));
    const double mainPosition = player().currentPosition();
    EXPECT_GT(mainPosition, 0.6);  // it ran on all the while
    QTest::mouseClick(browser().previewStopButton, Qt::LeftButton);
    EXPECT_EQ(preview.fileName(), "");
    EXPECT_TRUE(waitUntil([&] { return player().currentPosition() > mainPosition + 0.2; }));
    EXPECT_EQ(player().fileName(), longTone550);
    EXPECT_EQ(player().playState(), MediaPlayer::kPlaying);
}

TEST_F(RealPlayersTest, TrackInfoMeasuresAFileWhilePlaybackGoesOn) {
    Listening heard;
    writeSettings({" 1 ", " 0 ", " 0 ", "", " 0 ", " 0 ", " 0 "});
    start();
    model().fillPlaylist({{"550", longTone550}, {"440", tone440}, {"kaputt", notAudio}}, {1, 2, 3});
    showPlaylist(*program);
    MediaPlayer& infoPlayer = *mainWindow().infoPlayer();
    pl().setListIndex(0);
    pl().playSelected(true);
    ASSERT_TRUE(waitUntil([&] { return player().currentPosition() > 0.5; }));

    // Read at once, the length would still be 0: the window waits for the file to open.
    for (const auto& [line, length, seconds] :
         {std::tuple{1, "0:01 Minuten", 1.0}, {2, "0:00 Minuten", 0.0}}) {
        pl().setListIndex(line);
        pl().trackInfoItem->trigger();
        TrackInfoWindow& info = program->trackInfoWindow();
        ASSERT_TRUE(waitUntil([&] { return !info.lengthLabel->text().isEmpty(); }));
        EXPECT_EQ(info.lengthLabel->text(), length);
        EXPECT_NEAR(infoPlayer.duration(), seconds, 0.1);
        EXPECT_NE(infoPlayer.playState(), MediaPlayer::kPlaying);
        EXPECT_EQ(player().playState(), MediaPlayer::kPlaying);
        EXPECT_EQ(player().fileName(), longTone550);
        info.close();
    }

    if (!heard.on()) {
        GTEST_SKIP() << "what is heard was not checked: " << heard.why.toStdString();
    }
    // Only the main tone is listened to: nothing follows it.
    QObject::disconnect(&player(), &MediaPlayer::endOfStream, nullptr, nullptr);
    player().setNextFileName({});
    const std::vector<ToneRun> tones = heard.tones();
    ASSERT_TRUE(tonesAre(tones, {550}));
    EXPECT_NEAR(tones[0].seconds, 4.0, 0.15);
    EXPECT_LT(bramble::testsupport::longestGapInSound(heard.samples()), 0.005);
}

TEST(AlsaMixerTest, ADeviceWithoutMixerFindsNothingAndSetsNothing) {
    AlsaMixer none("hw:99");
    none.open();
    runEventsFor(300);
    EXPECT_EQ(none.volumeControl(Mixer::Line::Speakers), std::nullopt);
    EXPECT_EQ(none.volumeControl(Mixer::Line::MicrophoneMonitor), std::nullopt);
    EXPECT_FALSE(none.setValue(1, 100));
}

}  // namespace
