#include <sys/stat.h>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "MpvTestSupport.h"

TEST_F(MpvPlayerTest, NaturalEndRaisesTheEventOnceAndPlayStartsTheFileAgain) {
    const QSignalSpy ends(&player, &MediaPlayer::endOfStream);
    player.setFileName(tone440());
    player.play();
    ASSERT_TRUE(waitUntil([&] { return ends.count() == 1; }));
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    EXPECT_EQ(player.fileName(), tone440());
    EXPECT_EQ(player.currentPosition(), 0.0);
    runEventsFor(500);
    EXPECT_EQ(ends.count(), 1);

    player.play();
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);
    EXPECT_TRUE(waitUntil([&] { return player.currentPosition() > 0.2; }));
    EXPECT_TRUE(waitUntil([&] { return ends.count() == 2; }));
}

TEST_F(MpvPlayerTest, ReplacingStoppingOrUnloadingRaisesNoEvent) {
    const QSignalSpy ends(&player, &MediaPlayer::endOfStream);
    player.setFileName(tone440());
    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 0.2; }));

    player.setFileName(tone660());  // replaces the playing file; loads without starting
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    EXPECT_EQ(player.fileName(), tone660());
    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 0.2; }));

    player.stop();
    runEventsFor(1500);  // longer than what was left of either file
    EXPECT_EQ(ends.count(), 0);
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);

    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 0.2; }));
    player.setFileName(QString());
    EXPECT_EQ(player.fileName(), QString());
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    player.play();
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    runEventsFor(1500);
    EXPECT_EQ(ends.count(), 0);
}

// Missing files, files that are no MP3, folders, pipes and anything that is not a local path:
// no event, no playing state, no busy engine, and the player works on afterwards.
TEST_F(MpvPlayerTest, UnplayableFilesAreRefusedQuietly) {
    const QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString pipe = scratch.filePath(QStringLiteral("pipe.mp3"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

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
    // Opened by the engine, which finds nothing to play in them.
    for (const QString& path : {notAudio(), playlistInDisguise()}) {
        SCOPED_TRACE(path.toStdString());
        player.setFileName(path);
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

    const double cpuBefore = processCpuSeconds();
    runEventsFor(1000);
    EXPECT_LT(processCpuSeconds() - cpuBefore, 0.2) << "the engine keeps busy after a failure";
    EXPECT_EQ(ends.count(), 0);

    player.setFileName(tone440());
    player.play();
    EXPECT_TRUE(waitUntil([&] { return ends.count() == 1; }));
}

TEST_F(MpvPlayerTest, IdleAndPausedPlayersCostNoCpu) {
    ASSERT_TRUE(player.ensureEngine());
    MpvPlayer paused(library);
    paused.setFileName(longTone550());
    paused.play();
    ASSERT_TRUE(waitUntil([&] { return paused.currentPosition() > 0.2; }));
    paused.pause();
    runEventsFor(300);

    const double cpuBefore = processCpuSeconds();
    runEventsFor(1500);
    EXPECT_LT(processCpuSeconds() - cpuBefore, 0.2);
}
