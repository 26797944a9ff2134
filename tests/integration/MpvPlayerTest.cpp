#include <sys/stat.h>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cmath>

#include "MpvTestSupport.h"

// A file is loaded without starting; nothing is known about another until it is open, not even
// the old length.
TEST_F(MpvPlayerTest,
       LoadsWithoutStartingPauseKeepsThePositionStopRewindsAndOnlyANaturalEndIsAnEvent) {
    const QSignalSpy ends(&player, &MediaPlayer::endOfStream);
    player.setFileName(tone440);
    ASSERT_TRUE(waitUntil([&] { return player.duration() > 0.0; }));
    player.setFileName(longTone550);
    EXPECT_EQ(player.duration(), 0.0);
    player.setCurrentPosition(2.5);  // mpv has not opened the file yet
    ASSERT_TRUE(waitUntil([&] { return std::abs(player.currentPosition() - 2.5) < 0.1; }));
    player.setCurrentPosition(1.0);
    ASSERT_TRUE(waitUntil(
        [&] { return std::abs(player.currentPosition() - 1.0) < 0.1 && player.duration() > 0.0; }));
    EXPECT_NEAR(player.duration(), 4.0, 0.1);
    runEventsFor(300);
    EXPECT_NEAR(player.currentPosition(), 1.0, 0.1);  // loaded, not started
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    player.play();
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 1.3; }));

    player.pause();
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    runEventsFor(200);  // the position mpv reports as it takes the pause
    const double pausedAt = player.currentPosition();
    runEventsFor(400);
    EXPECT_NEAR(player.currentPosition(), pausedAt, 0.05);
    player.play();
    EXPECT_GE(player.currentPosition(), pausedAt - 0.05);
    player.setCurrentPosition(3.0);
    EXPECT_TRUE(waitUntil([&] { return player.currentPosition() >= 3.0; }));
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);

    player.stop();
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    EXPECT_EQ(player.fileName(), longTone550);
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() < 0.05; }));
    runEventsFor(300);
    EXPECT_LT(player.currentPosition(), 0.05);  // stopped, not merely rewound and running on

    // Replacing, stopping or unloading raises no event.
    player.setFileName(tone440);
    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 0.2; }));
    player.setFileName(tone660);  // replaces the playing file; loads without starting
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 0.2; }));
    player.setFileName(QString());
    EXPECT_EQ(player.duration(), 0.0);
    player.play();
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    runEventsFor(1500);  // longer than what was left of either file
    EXPECT_EQ(ends.count(), 0);
}

TEST_F(MpvPlayerTest, NaturalEndRaisesTheEventOnceAndNothingFollowsThatWasNotQueued) {
    const QSignalSpy ends(&player, &MediaPlayer::endOfStream);
    // The file that would have followed was removed after mpv had queued it.
    player.setFileName(tone440);
    player.setNextFileName(tone660);
    ASSERT_TRUE(waitUntil([&] { return player.duration() > 0.0; }));
    player.setNextFileName(QString());
    player.play();
    ASSERT_TRUE(waitUntil([&] { return ends.count() == 1; }));
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    EXPECT_EQ(player.fileName(), tone440);
    EXPECT_EQ(player.currentPosition(), 0.0);
    runEventsFor(500);
    EXPECT_EQ(ends.count(), 1);

    player.play();  // the ended file again
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);
    EXPECT_TRUE(waitUntil([&] { return player.currentPosition() > 0.2; }));
    ASSERT_TRUE(waitUntil([&] { return ends.count() == 2; }));

    // Loading another file drops the one queued before.
    player.setNextFileName(tone660);
    player.setFileName(tone990);
    player.play();
    ASSERT_TRUE(waitUntil([&] { return ends.count() == 3; }));
    EXPECT_EQ(player.fileName(), tone990);
    runEventsFor(300);
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    EXPECT_EQ(ends.count(), 3);

    // Only the first setting of a taken-over file is absorbed (not restarting it is checked
    // below, by ear).
    player.setFileName(tone440);
    player.setNextFileName(longTone550);
    player.play();
    ASSERT_TRUE(waitUntil([&] { return ends.count() == 4; }));
    player.setFileName(longTone550);
    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 0.5; }));
    player.setFileName(longTone550);
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    EXPECT_EQ(player.currentPosition(), 0.0);
}

// No event, no playing state, no sound, and the player works on afterwards.
TEST_F(MpvPlayerTest, UnplayableFilesAreRefusedQuietly) {
    const QTemporaryDir scratch;
    const QString pipe = scratch.filePath(QStringLiteral("pipe.mp3"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const Listening listening;
    const QSignalSpy ends(&player, &MediaPlayer::endOfStream);
    // Refused before they reach the engine: never playing, not even for a moment.
    for (const QString& path : {fixture("audio/missing.mp3"), fixture("audio"), pipe,
                                QStringLiteral("http://127.0.0.1:9/stream.mp3"),
                                QStringLiteral("-"), QStringLiteral("--no-config")}) {
        player.setFileName(path);
        player.play();
        EXPECT_EQ(player.fileName(), path);
        EXPECT_NE(player.playState(), MediaPlayer::kPlaying) << path.toStdString();
    }
    // The engine finds nothing to play in these, and must not move on to the queued file, nor to
    // the files a playlist in disguise names.
    for (const QString& path : {notAudio, fixture("audio/playlist_in_disguise.mp3")}) {
        SCOPED_TRACE(path.toStdString());
        player.setFileName(path);
        player.setNextFileName(tone660);
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

    // Then the real file is heard, and only it.
    EXPECT_EQ(ends.count(), 0);
    player.setFileName(tone440);
    player.play();
    EXPECT_TRUE(waitUntil([&] { return ends.count() == 1; }));
    if (!listening.on()) {
        GTEST_SKIP() << "what is heard was not checked: " << listening.why.toStdString();
    }
    EXPECT_TRUE(tonesAre(listening.heard(), {440}));
}

// At each end the transport sets the following file and plays it: already running, it must go
// on undisturbed, straight after the one before.
TEST_F(MpvPlayerTest, QueuedFileTakesOverAtTheNaturalEndWithoutAGap) {
    const Listening listening;
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
    player.setFileName(tone440);
    player.setNextFileName(tone660);
    player.play();
    ASSERT_TRUE(waitUntil([&] { return namesAtEnd.size() == 1; }));
    EXPECT_EQ(namesAtEnd[0], tone660);
    EXPECT_EQ(statesAfterReplay, std::vector<int>{MediaPlayer::kPlaying});
    EXPECT_TRUE(waitUntil([&] { return player.duration() > 0.0; }));
    EXPECT_NEAR(player.duration(), 1.0, 0.1);
    // mpv counts the new file from the sound still buffered of the old one: below zero at first.
    EXPECT_GE(player.currentPosition(), 0.0);

    // The taken-over file ends like any other: one more event, and nothing follows it.
    ASSERT_TRUE(waitUntil([&] { return namesAtEnd.size() == 2; }));
    EXPECT_EQ(namesAtEnd[1], tone660);
    runEventsFor(500);
    EXPECT_EQ(namesAtEnd.size(), 2U);
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    if (!listening.on()) {
        GTEST_SKIP() << "what is heard was not checked: " << listening.why.toStdString();
    }
    const Heard heard = listening.heard();
    ASSERT_TRUE(tonesAre(heard, {440, 660}));
    EXPECT_NEAR(heard.tones[0].second, 1.0, 0.15);
    EXPECT_NEAR(heard.tones[1].second, 1.0, 0.15);  // once, not restarted by the transport's replay
    EXPECT_LT(heard.gapAtChange, 0.005);
}
