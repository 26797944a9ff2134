#include <gmock/gmock.h>
#include <QSignalSpy>
#include <optional>
#include <string>

#include "MpvTestSupport.h"
#include "app/EngineMessage.h"

// A start with a file to play loads the library on a thread of its own beside the windows: what
// the players are asked meanwhile reaches the engine once it is there.
TEST(MpvLibraryTest, WhatPlayersAreAskedWhileThePreloadRunsReachesTheEngineOnceItIsThere) {
    const auto makeInstance = [](MpvLibrary& library) {
        return MpvPlayer::makeInstance(library, false);
    };
    MpvLibrary library;
    library.preload(makeInstance);
    MpvPlayer muted(library);  // the first to need an engine takes the unmuted one made ahead
    MpvPlayer paused(library);
    MpvPlayer player(library);
    const QSignalSpy ends(&player, &MediaPlayer::endOfStream);
    const Listening listening;
    // Mixed tones read as the highest: the silenced ones are the higher ones.
    muted.setMute(true);
    muted.setFileName(tone990);
    muted.play();
    paused.setFileName(tone660);
    paused.play();
    paused.pause();
    player.setFileName(tone440);
    player.play();
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);
    ASSERT_TRUE(waitUntil([&] { return ends.count() == 1; }));
    EXPECT_EQ(paused.playState(), MediaPlayer::kPaused);
    EXPECT_NEAR(paused.duration(), 1.0, 0.1);
    EXPECT_EQ(paused.currentPosition(), 0.0);
    if (listening.on()) {
        EXPECT_TRUE(tonesAre(listening.heard(), {440}));
        // Unmuted, the same instance is heard again.
        const Listening again;
        muted.stop();
        muted.setMute(false);
        muted.play();
        EXPECT_TRUE(tonesAre(again.heard(), {990}));
    }

    // Without a library the file waits for nothing: its opening ends, nothing plays, and every
    // other operation does nothing.
    MpvLibrary missing(QStringLiteral("libmpv-not-installed.so.99"));
    missing.preload(makeInstance);
    MpvPlayer without(missing);
    const QSignalSpy opened(&without, &MediaPlayer::loadFinished);
    const QSignalSpy ended(&without, &MediaPlayer::endOfStream);
    without.setFileName(tone440);
    without.setNextFileName(tone660);
    without.play();
    ASSERT_TRUE(waitUntil([&] { return !without.isLoading(); }));
    without.setCurrentPosition(0.5);
    EXPECT_EQ(without.fileName(), tone440);
    EXPECT_NE(without.playState(), MediaPlayer::kPlaying);
    EXPECT_EQ(without.currentPosition() + without.duration(), 0.0);
    EXPECT_EQ(opened.count(), 1);
    runEventsFor(300);
    EXPECT_EQ(ended.count(), 0);
}

TEST(MpvLibraryTest, TheMessageNamesWhyTheLibraryCannotBeUsed) {
    using Failure = EngineStatus::Failure;
    const std::tuple<QString, Failure, QString> cases[] = {
        {"libmpv-not-installed.so.99", Failure::NotFound,
         "Die Wiedergabe-Bibliothek libmpv (libmpv-not-installed.so.99) wurde nicht gefunden."},
        {BRAMBLE_WRONG_INTERFACE_MPV, Failure::WrongInterface,
         "hat eine Version mit einer anderen Schnittstelle, als der Player sie braucht.\n"
         "(API-Version 1.109, erwartet "},
        // A library found by its bare name that is no libmpv at all.
        {"libc.so.6", Failure::WrongInterface,
         "Die Wiedergabe-Bibliothek libmpv (libc.so.6) hat eine Version mit einer anderen"},
        // A file of that name that is no library.
        {notAudio, Failure::NotStarted, "wurde gefunden, konnte aber nicht gestartet werden."},
    };
    for (const auto& [soname, failure, reason] : cases) {
        MpvLibrary library(soname);
        EXPECT_FALSE(library.load());
        EXPECT_EQ(library.status().failure, failure) << soname.toStdString();
        const std::string text = engineMissingText(library.status()).toStdString();
        EXPECT_THAT(text, ::testing::HasSubstr(reason.toStdString()));
        EXPECT_THAT(text, ::testing::EndsWith("\nDer Player läuft ohne Ton weiter."));
    }
}
