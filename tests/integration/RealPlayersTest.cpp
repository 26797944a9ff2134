#include "MpvTestSupport.h"
#include "app/PlaylistOperations.h"
#include "mainwindow/PositionBar.h"
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
TEST_F(RealPlayersTest, TheNotchSeeksPastTheEndTakesTheNextTrackAndLandsWhereLetGo) {
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
}

TEST_F(RealPlayersTest, TrackInfoMeasuresAFileWhilePlaybackGoesOn) {
    const Listening listening;
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
        TrackInfoWindow& info = *program->trackInfo.get();
        ASSERT_TRUE(waitUntil([&] { return !info.lengthLabel->text().isEmpty(); }));
        EXPECT_EQ(info.lengthLabel->text(), length);
        EXPECT_NEAR(infoPlayer.duration(), seconds, 0.1);
        EXPECT_NE(infoPlayer.playState(), MediaPlayer::kPlaying);
        EXPECT_EQ(player().playState(), MediaPlayer::kPlaying);
        EXPECT_EQ(player().fileName(), longTone550);
        info.close();
    }

    if (!listening.on()) {
        GTEST_SKIP() << "what is heard was not checked: " << listening.why.toStdString();
    }
    // Only the main tone is listened to: nothing follows it.
    QObject::disconnect(&player(), &MediaPlayer::endOfStream, nullptr, nullptr);
    player().setNextFileName({});
    const Heard heard = listening.heard();
    ASSERT_TRUE(tonesAre(heard, {550}));
    EXPECT_NEAR(heard.tones[0].second, 4.0, 0.15);
    EXPECT_LT(heard.gap, 0.005);
}

}  // namespace
