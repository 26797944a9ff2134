#include <QSignalSpy>

#include "MpvTestSupport.h"
#include "app/EngineMessage.h"

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

TEST(MpvLibraryTest, TheMessageNamesWhyTheLibraryCannotBeUsed) {
    using Failure = EngineStatus::Failure;
    struct Case {
        QString soname;
        Failure failure;
        QString reason;
    };
    const Case cases[] = {
        {"libmpv-not-installed.so.99", Failure::NotFound,
         "(libmpv-not-installed.so.99) wurde nicht gefunden."},
        {BRAMBLE_WRONG_INTERFACE_MPV, Failure::WrongInterface,
         "hat eine Version mit einer anderen Schnittstelle, als der Player sie braucht.\n"
         "(API-Version 1.109, erwartet "},
        // A library found by its bare name that is no libmpv at all.
        {"libc.so.6", Failure::WrongInterface,
         "(libc.so.6) hat eine Version mit einer anderen Schnittstelle"},
        // A file of that name that is no library.
        {notAudio(), Failure::NotStarted, "wurde gefunden, konnte aber nicht gestartet werden."},
    };
    for (const Case& c : cases) {
        MpvLibrary library(c.soname);
        EXPECT_FALSE(library.load());
        const EngineStatus status = library.status();
        EXPECT_EQ(status.failure, c.failure) << c.soname.toStdString();
        const QString text = engineMissingText(status);
        EXPECT_TRUE(text.startsWith("Die Wiedergabe-Bibliothek libmpv (" + c.soname + ")"))
            << text.toStdString();
        EXPECT_TRUE(text.contains(c.reason)) << text.toStdString();
        EXPECT_TRUE(text.endsWith("\nDer Player läuft ohne Ton weiter.")) << text.toStdString();
    }
}
