#include <gmock/gmock.h>
#include <QSignalSpy>
#include <optional>
#include <string>

#include "MpvTestSupport.h"
#include "app/EngineMessage.h"

TEST(MpvLibraryTest, LoadsOnceWhenAPlayerFirstNeedsItAndWithoutItEveryOperationDoesNothing) {
    MpvLibrary library;
    MpvPlayer player(library);
    player.setMute(true);
    EXPECT_FALSE(library.attempted());
    player.setFileName(tone440);
    EXPECT_TRUE(library.attempted());
    ASSERT_TRUE(library.isLoaded()) << library.errorText().toStdString();
    EXPECT_TRUE(library.errorText().isEmpty());
    EXPECT_TRUE(library.load());

    MpvLibrary missing(QStringLiteral("libmpv-not-installed.so.99"));
    MpvPlayer without(missing);
    const QSignalSpy ends(&without, &MediaPlayer::endOfStream);
    EXPECT_FALSE(without.prepare());
    EXPECT_FALSE(missing.errorText().isEmpty());
    EXPECT_FALSE(missing.load());

    without.setFileName(tone440);
    without.setNextFileName(tone660);
    without.play();
    EXPECT_EQ(without.fileName(), tone440);
    EXPECT_NE(without.playState(), MediaPlayer::kPlaying);
    without.setCurrentPosition(0.5);
    EXPECT_EQ(without.currentPosition(), 0.0);
    EXPECT_EQ(without.duration(), 0.0);
    without.pause();
    without.stop();
    without.setMute(true);
    without.setAutoStart(true);
    without.setFileName(tone660);
    EXPECT_NE(without.playState(), MediaPlayer::kPlaying);
    without.setFileName(QString());
    runEventsFor(300);
    EXPECT_EQ(ends.count(), 0);
}

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
    std::optional<Listening> heard(std::in_place);
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
    if (heard->on()) {
        EXPECT_TRUE(tonesAre(heard->tones(), {440}));
    }

    // Without a library the file waits for nothing: its opening ends, and nothing plays.
    MpvLibrary missing(QStringLiteral("libmpv-not-installed.so.99"));
    missing.preload(makeInstance);
    MpvPlayer without(missing);
    const QSignalSpy opened(&without, &MediaPlayer::loadFinished);
    without.setFileName(tone440);
    without.play();
    ASSERT_TRUE(waitUntil([&] { return !without.isLoading(); }));
    EXPECT_NE(without.playState(), MediaPlayer::kPlaying);
    EXPECT_EQ(opened.count(), 1);
}

TEST(MpvLibraryTest, TheMessageNamesWhyTheLibraryCannotBeUsed) {
    using Failure = EngineStatus::Failure;
    const std::tuple<QString, Failure, QString> cases[] = {
        {"libmpv-not-installed.so.99", Failure::NotFound,
         "(libmpv-not-installed.so.99) wurde nicht gefunden."},
        {BRAMBLE_WRONG_INTERFACE_MPV, Failure::WrongInterface,
         "hat eine Version mit einer anderen Schnittstelle, als der Player sie braucht.\n"
         "(API-Version 1.109, erwartet "},
        // A library found by its bare name that is no libmpv at all.
        {"libc.so.6", Failure::WrongInterface,
         "(libc.so.6) hat eine Version mit einer anderen Schnittstelle"},
        // A file of that name that is no library.
        {notAudio, Failure::NotStarted, "wurde gefunden, konnte aber nicht gestartet werden."},
    };
    for (const auto& [soname, failure, reason] : cases) {
        MpvLibrary library(soname);
        EXPECT_FALSE(library.load());
        EXPECT_EQ(library.status().failure, failure) << soname.toStdString();
        const std::string text = engineMissingText(library.status()).toStdString();
        EXPECT_THAT(text, ::testing::StartsWith(
                              ("Die Wiedergabe-Bibliothek libmpv (" + soname + ")").toStdString()));
        EXPECT_THAT(text, ::testing::HasSubstr(reason.toStdString()));
        EXPECT_THAT(text, ::testing::EndsWith("\nDer Player läuft ohne Ton weiter."));
    }
}
