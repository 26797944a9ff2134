#include <QSignalSpy>
#include <vector>

#include "MpvTestSupport.h"

// The transport's way: at each end it sets the file that follows and plays it. That file is
// already running and must go on undisturbed, straight after the one before.
TEST_F(MpvPlayerTest, QueuedFileTakesOverAtTheNaturalEndWithoutAGap) {
    // What is heard is checked where the null sink can be recorded.
    QString noSink;
    const QString monitor = SinkRecorder::nullSinkMonitor(&noSink);
    SinkRecorder recorder;
    ASSERT_TRUE(monitor.isEmpty() || recorder.start(monitor));
    std::vector<QString> namesAtEnd;
    std::vector<int> statesAfterReplay;
    QObject::connect(&player, &MediaPlayer::endOfStream, &player, [&] {
        namesAtEnd.push_back(player.fileName());
        if (namesAtEnd.size() == 1) {
            player.setFileName(player.fileName());
            player.play();
            statesAfterReplay.push_back(player.playState());
        }
    });

    player.setFileName(tone440());
    player.setNextFileName(tone660());
    player.play();
    ASSERT_TRUE(waitUntil([&] { return namesAtEnd.size() == 1; }));
    EXPECT_EQ(namesAtEnd[0], tone660());
    EXPECT_EQ(statesAfterReplay, std::vector<int>{MediaPlayer::kPlaying});
    EXPECT_TRUE(waitUntil([&] { return player.duration() > 0.0; }));
    EXPECT_NEAR(player.duration(), 1.0, 0.1);
    // mpv counts the new file from the sound still buffered of the old one: below zero at first.
    EXPECT_GE(player.currentPosition(), 0.0);

    // The taken-over file ends like any other: one more event, and nothing follows it.
    ASSERT_TRUE(waitUntil([&] { return namesAtEnd.size() == 2; }));
    EXPECT_EQ(namesAtEnd[1], tone660());
    runEventsFor(500);
    EXPECT_EQ(namesAtEnd.size(), 2U);
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);

    if (monitor.isEmpty()) {
        GTEST_SKIP() << "what is heard was not checked: " << noSink.toStdString();
    }
    ASSERT_TRUE(recorder.waitForSoundThenQuiet());
    const std::vector<ToneRun> runs = toneRuns(recorder.samples());
    ASSERT_EQ(runs.size(), 2U);
    EXPECT_NEAR(runs[0].frequency, 440.0, 30.0);
    EXPECT_NEAR(runs[0].seconds, 1.0, 0.15);
    EXPECT_NEAR(runs[1].frequency, 660.0, 30.0);
    EXPECT_NEAR(runs[1].seconds, 1.0, 0.15);  // once, not restarted by the transport's replay
    EXPECT_LT(longestGapInSound(recorder.samples()), 0.005);
}

TEST_F(MpvPlayerTest, SettingTheTakenOverFileAgainDoesNotRestartIt) {
    const QSignalSpy ends(&player, &MediaPlayer::endOfStream);
    player.setFileName(tone440());
    player.setNextFileName(longTone550());
    player.play();
    ASSERT_TRUE(waitUntil([&] { return ends.count() == 1; }));
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 0.5; }));

    const double before = player.currentPosition();
    player.setFileName(longTone550());
    player.play();
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);
    EXPECT_GE(player.currentPosition(), before);
    EXPECT_TRUE(waitUntil([&] { return player.currentPosition() > before + 0.3; }));
    EXPECT_EQ(ends.count(), 1);

    // Only the first setting after the take-over is absorbed: a later one loads afresh.
    player.setFileName(longTone550());
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    EXPECT_EQ(player.currentPosition(), 0.0);
}
