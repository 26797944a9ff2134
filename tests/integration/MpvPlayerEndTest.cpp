#include <sys/stat.h>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>

#include "MpvTestSupport.h"

TEST_F(MpvPlayerTest, NaturalEndRaisesTheEventOnceAndNothingFollowsThatWasNotQueued) {
    const QSignalSpy ends(&player, &MediaPlayer::endOfStream);

    // The file that would have followed was removed after mpv had queued it.
    player.setFileName(tone440());
    player.setNextFileName(tone660());
    ASSERT_TRUE(waitUntil([&] { return player.duration() > 0.0; }));
    player.setNextFileName(QString());
    player.play();
    ASSERT_TRUE(waitUntil([&] { return ends.count() == 1; }));
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    EXPECT_EQ(player.fileName(), tone440());
    EXPECT_EQ(player.currentPosition(), 0.0);
    runEventsFor(500);
    EXPECT_EQ(ends.count(), 1);

    // Play starts the ended file again.
    player.play();
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);
    EXPECT_TRUE(waitUntil([&] { return player.currentPosition() > 0.2; }));
    ASSERT_TRUE(waitUntil([&] { return ends.count() == 2; }));

    // Loading another file drops the one queued before.
    player.setNextFileName(tone660());
    player.setFileName(tone990());
    player.play();
    ASSERT_TRUE(waitUntil([&] { return ends.count() == 3; }));
    EXPECT_EQ(player.fileName(), tone990());
    runEventsFor(300);
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    EXPECT_EQ(ends.count(), 3);
}

TEST_F(MpvPlayerTest, ReplacingStoppingOrUnloadingRaisesNoEvent) {
    const QSignalSpy ends(&player, &MediaPlayer::endOfStream);
    player.setFileName(tone440());
    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 0.2; }));

    player.setFileName(tone660());  // replaces the playing file; loads without starting
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 0.2; }));

    player.stop();
    runEventsFor(1500);  // longer than what was left of either file
    EXPECT_EQ(ends.count(), 0);

    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 0.2; }));
    player.setFileName(QString());
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    player.play();
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    runEventsFor(1500);
    EXPECT_EQ(ends.count(), 0);
}

// Missing files, files that are no MP3, folders, pipes and anything that is not a local path:
// no event, no playing state, no sound, no busy engine, and the player works on afterwards.
TEST_F(MpvPlayerTest, UnplayableFilesAreRefusedQuietly) {
    const QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString pipe = scratch.filePath(QStringLiteral("pipe.mp3"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    // What is heard is checked where the null sink can be recorded.
    QString noSink;
    const QString monitor = SinkRecorder::nullSinkMonitor(&noSink);
    SinkRecorder recorder;
    ASSERT_TRUE(monitor.isEmpty() || recorder.start(monitor));

    const QSignalSpy ends(&player, &MediaPlayer::endOfStream);
    // Refused before they reach the engine: never playing, not even for a moment.
    for (const QString& path :
         {fixture(QStringLiteral("audio/missing.mp3")), fixture(QStringLiteral("audio")), pipe,
          QStringLiteral("http://127.0.0.1:9/stream.mp3"), QStringLiteral("-"),
          QStringLiteral("--no-config")}) {
        SCOPED_TRACE(path.toStdString());
        player.setFileName(path);
        player.play();
        EXPECT_EQ(player.fileName(), path);
        EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    }
    // Opened by the engine, which finds nothing to play in them. It must not move on to the
    // queued file either, nor to the files a playlist in disguise names.
    for (const QString& path : {notAudio(), playlistInDisguise()}) {
        SCOPED_TRACE(path.toStdString());
        player.setFileName(path);
        player.setNextFileName(tone660());
        player.play();
        EXPECT_EQ(player.fileName(), path);
        EXPECT_TRUE(waitUntil([&] { return player.playState() != MediaPlayer::kPlaying; }));
        runEventsFor(300);
        EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
        EXPECT_EQ(player.duration(), 0.0);
        EXPECT_EQ(player.currentPosition(), 0.0);
        player.play();  // a second try changes nothing
        EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    }

    // Neither an engine idle after failures nor a paused one keeps the processor busy.
    MpvPlayer paused(library);
    paused.setMute(true);  // only what the failing player plays may be heard
    paused.setFileName(longTone550());
    paused.play();
    ASSERT_TRUE(waitUntil([&] { return paused.currentPosition() > 0.2; }));
    paused.pause();
    runEventsFor(300);
    const double cpuBefore = processCpuSeconds();
    runEventsFor(1500);
    EXPECT_LT(processCpuSeconds() - cpuBefore, 0.2);
    EXPECT_EQ(ends.count(), 0);
    EXPECT_TRUE(std::none_of(recorder.samples().begin(), recorder.samples().end(),
                             bramble::testsupport::isSound));

    player.setFileName(tone440());
    player.play();
    EXPECT_TRUE(waitUntil([&] { return ends.count() == 1; }));
    if (monitor.isEmpty()) {
        GTEST_SKIP() << "what is heard was not checked: " << noSink.toStdString();
    }
    // The recording itself works: the real file is heard, and only it. A loaded machine may
    // drop a moment of it, so it can come as more than one run, but every run is that tone.
    ASSERT_TRUE(recorder.waitForSoundThenQuiet());
    const std::vector<ToneRun> runs = toneRuns(recorder.samples());
    EXPECT_TRUE(std::any_of(runs.begin(), runs.end(), [](const ToneRun& run) {
        return std::abs(run.frequency - 440.0) < 30.0;
    }));
    for (const ToneRun& run : runs) {
        EXPECT_TRUE(run.frequency == 0.0 || std::abs(run.frequency - 440.0) < 30.0)
            << run.frequency;
    }
}
