#include <QSignalSpy>
#include <algorithm>

#include "MpvTestSupport.h"

namespace {

// Listens to the sound server's null sink; skipped where there is none.
class MpvPlayerAudioTest : public MpvPlayerTest {
protected:
    void SetUp() override {
        MpvPlayerTest::SetUp();
        QString reason;
        monitor_ = SinkRecorder::nullSinkMonitor(&reason);
        if (monitor_.isEmpty()) {
            GTEST_SKIP() << reason.toStdString();
        }
    }

    void startRecording(SinkRecorder& recorder) const { ASSERT_TRUE(recorder.start(monitor_)); }

private:
    QString monitor_;
};

bool heardNothing(const std::vector<std::int16_t>& samples) {
    return std::all_of(samples.begin(), samples.end(),
                       [](std::int16_t sample) { return std::abs(sample) < 1000; });
}

}  // namespace

TEST_F(MpvPlayerAudioTest, QueuedFileFollowsWithoutAGap) {
    SinkRecorder recorder;
    startRecording(recorder);
    const QSignalSpy ends(&player, &MediaPlayer::endOfStream);
    QObject::connect(&player, &MediaPlayer::endOfStream, &player, [&] {
        if (ends.count() == 1) {  // the spy was connected first
            player.setFileName(player.fileName());
            player.play();
        }
    });
    player.setFileName(tone440());
    player.setNextFileName(tone660());
    player.play();
    ASSERT_TRUE(waitUntil([&] { return ends.count() == 2; }));
    ASSERT_TRUE(recorder.waitForSoundThenQuiet());

    const std::vector<ToneRun> runs = toneRuns(recorder.samples());
    ASSERT_EQ(runs.size(), 2U);
    EXPECT_NEAR(runs[0].frequency, 440.0, 30.0);
    EXPECT_NEAR(runs[0].seconds, 1.0, 0.15);
    EXPECT_NEAR(runs[1].frequency, 660.0, 30.0);
    EXPECT_NEAR(runs[1].seconds, 1.0, 0.15);  // once, not restarted by the transport's replay
    EXPECT_LT(longestGapInSound(recorder.samples()), 0.005);
}

TEST_F(MpvPlayerAudioTest, MuteSilencesOnlyItsOwnInstance) {
    MpvPlayer other(library);
    const QSignalSpy ends(&player, &MediaPlayer::endOfStream);
    const QSignalSpy otherEnds(&other, &MediaPlayer::endOfStream);
    {
        SinkRecorder recorder;
        startRecording(recorder);
        player.setMute(true);
        EXPECT_TRUE(player.mute());
        EXPECT_FALSE(other.mute());
        player.setFileName(tone440());
        other.setFileName(tone660());
        player.play();
        other.play();
        ASSERT_TRUE(waitUntil([&] { return ends.count() == 1 && otherEnds.count() == 1; }));
        ASSERT_TRUE(recorder.waitForSoundThenQuiet());
        const std::vector<ToneRun> runs = toneRuns(recorder.samples());
        ASSERT_EQ(runs.size(), 1U);
        EXPECT_NEAR(runs[0].frequency, 660.0, 30.0);
    }
    {
        SinkRecorder recorder;
        startRecording(recorder);
        player.setMute(false);
        EXPECT_FALSE(player.mute());
        player.play();
        ASSERT_TRUE(waitUntil([&] { return ends.count() == 2; }));
        ASSERT_TRUE(recorder.waitForSoundThenQuiet());
        const std::vector<ToneRun> runs = toneRuns(recorder.samples());
        ASSERT_EQ(runs.size(), 1U);
        EXPECT_NEAR(runs[0].frequency, 440.0, 30.0);
    }
}

// A file that is a playlist in disguise, or that fails while another file is queued, must not
// make the engine play anything the caller did not start.
TEST_F(MpvPlayerAudioTest, NothingIsHeardFromFilesThatAreNoMp3) {
    SinkRecorder recorder;
    startRecording(recorder);
    player.setFileName(playlistInDisguise());
    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.playState() != MediaPlayer::kPlaying; }));
    player.setFileName(notAudio());
    player.setNextFileName(tone660());
    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.playState() != MediaPlayer::kPlaying; }));
    runEventsFor(1500);
    EXPECT_TRUE(heardNothing(recorder.samples()));
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);

    // The recording itself works: a real file is heard.
    player.setFileName(tone990());
    player.play();
    ASSERT_TRUE(recorder.waitForSoundThenQuiet());
    const std::vector<ToneRun> runs = toneRuns(recorder.samples());
    ASSERT_EQ(runs.size(), 1U);
    EXPECT_NEAR(runs[0].frequency, 990.0, 30.0);
}
