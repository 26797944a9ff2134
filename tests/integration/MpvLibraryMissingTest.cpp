#include <QSignalSpy>

#include "MpvTestSupport.h"

TEST(MpvLibraryTest, LoadsOnceAndOnlyWhenAPlayerFirstNeedsIt) {
    MpvLibrary library;
    MpvPlayer player(library);
    player.setMute(true);
    player.setAutoStart(false);
    EXPECT_FALSE(library.attempted());

    player.setFileName(tone440());
    EXPECT_TRUE(library.attempted());
    ASSERT_TRUE(library.isLoaded()) << library.errorText().toStdString();
    EXPECT_TRUE(library.errorText().isEmpty());
    EXPECT_TRUE(library.load());
    EXPECT_TRUE(player.mute());
}

TEST(MpvLibraryTest, WithoutTheLibraryEveryOperationDoesNothing) {
    MpvLibrary library(QStringLiteral("libmpv-not-installed.so.99"));
    MpvPlayer player(library);
    const QSignalSpy ends(&player, &MediaPlayer::endOfStream);

    EXPECT_FALSE(player.ensureEngine());
    EXPECT_FALSE(library.errorText().isEmpty());
    EXPECT_FALSE(library.load());

    player.setFileName(tone440());
    player.setNextFileName(tone660());
    player.play();
    EXPECT_EQ(player.fileName(), tone440());
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    player.setCurrentPosition(0.5);
    EXPECT_EQ(player.currentPosition(), 0.0);
    EXPECT_EQ(player.duration(), 0.0);
    player.pause();
    player.stop();
    player.setMute(true);
    EXPECT_TRUE(player.mute());
    player.setAutoStart(true);
    player.setFileName(tone660());
    EXPECT_EQ(player.fileName(), tone660());
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    player.setFileName(QString());
    EXPECT_EQ(player.fileName(), QString());
    runEventsFor(300);
    EXPECT_EQ(ends.count(), 0);
}
