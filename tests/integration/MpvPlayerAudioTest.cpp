#include <QSignalSpy>

#include "MpvTestSupport.h"

// Two instances play at once, as when the file-information window loads a file while the
// player plays; muting one leaves the other as it was.
TEST_F(MpvPlayerTest, MuteSilencesOnlyItsOwnInstance) {
    QString noSink;
    const QString monitor = SinkRecorder::nullSinkMonitor(&noSink);
    if (monitor.isEmpty()) {
        GTEST_SKIP() << noSink.toStdString();
    }
    MpvPlayer other(library);
    const QSignalSpy ends(&player, &MediaPlayer::endOfStream);
    const QSignalSpy otherEnds(&other, &MediaPlayer::endOfStream);
    {
        SinkRecorder recorder;
        ASSERT_TRUE(recorder.start(monitor));
        player.setMute(true);
        EXPECT_TRUE(player.mute());
        EXPECT_FALSE(other.mute());
        // The muted one plays the higher tone: a mix of two tones reads as the higher one.
        player.setFileName(tone660());
        other.setFileName(tone440());
        player.play();
        other.play();
        ASSERT_TRUE(waitUntil([&] { return ends.count() == 1 && otherEnds.count() == 1; }));
        ASSERT_TRUE(recorder.waitForSoundThenQuiet());
        const std::vector<ToneRun> runs = toneRuns(recorder.samples());
        ASSERT_EQ(runs.size(), 1U);
        EXPECT_NEAR(runs[0].frequency, 440.0, 30.0);
    }
    {
        SinkRecorder recorder;
        ASSERT_TRUE(recorder.start(monitor));
        player.setMute(false);
        EXPECT_FALSE(player.mute());
        player.play();
        ASSERT_TRUE(waitUntil([&] { return ends.count() == 2; }));
        ASSERT_TRUE(recorder.waitForSoundThenQuiet());
        const std::vector<ToneRun> runs = toneRuns(recorder.samples());
        ASSERT_EQ(runs.size(), 1U);
        EXPECT_NEAR(runs[0].frequency, 660.0, 30.0);
    }
}
