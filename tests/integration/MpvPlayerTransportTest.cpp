#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <clocale>
#include <cmath>
#include <string>

#include "MpvTestSupport.h"

namespace {

bool opened(const MediaPlayer& player) {
    return player.duration() > 0.0;
}

}  // namespace

TEST_F(MpvPlayerTest, SettingAFileLoadsItWithoutStartingItAndReportsItsDurationOnceOpen) {
    EXPECT_EQ(player.fileName(), QString());
    EXPECT_EQ(player.duration(), 0.0);
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);

    player.setFileName(longTone550());
    EXPECT_EQ(player.fileName(), longTone550());
    ASSERT_TRUE(waitUntil([&] { return opened(player); }));
    EXPECT_NEAR(player.duration(), 4.0, 0.1);
    runEventsFor(300);
    EXPECT_EQ(player.currentPosition(), 0.0);
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);

    // Another file: nothing is known about it until it is open, not even the old length.
    player.setFileName(tone440());
    EXPECT_EQ(player.duration(), 0.0);
    ASSERT_TRUE(waitUntil([&] { return opened(player); }));
    EXPECT_NEAR(player.duration(), 1.0, 0.1);

    player.setFileName(QString());
    EXPECT_EQ(player.duration(), 0.0);
    EXPECT_EQ(player.fileName(), QString());

    // With auto start on, setting a file starts it.
    player.setAutoStart(true);
    player.setFileName(longTone550());
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);
    EXPECT_TRUE(waitUntil([&] { return player.currentPosition() > 0.3; }));
}

TEST_F(MpvPlayerTest, PauseKeepsThePositionAndStopRewindsWhileKeepingTheFile) {
    const QSignalSpy ends(&player, &MediaPlayer::endOfStream);
    player.setFileName(longTone550());
    player.play();
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 0.3; }));

    player.pause();
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    runEventsFor(200);  // the position mpv reports as it takes the pause
    const double pausedAt = player.currentPosition();
    runEventsFor(400);
    EXPECT_NEAR(player.currentPosition(), pausedAt, 0.05);

    player.play();
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);
    EXPECT_GE(player.currentPosition(), pausedAt - 0.05);
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > pausedAt + 0.3; }));

    player.stop();
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    EXPECT_EQ(player.fileName(), longTone550());
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() < 0.05; }));
    runEventsFor(300);
    EXPECT_LT(player.currentPosition(), 0.05);  // stopped, not merely rewound and running on
    EXPECT_GE(player.currentPosition(), 0.0);

    player.play();
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);
    EXPECT_LT(player.currentPosition(), 0.5);
    EXPECT_TRUE(waitUntil([&] { return player.currentPosition() > 0.3; }));
    EXPECT_EQ(ends.count(), 0);
}

TEST_F(MpvPlayerTest, SeeksBeforeTheFileIsOpenWhilePausedAndWhilePlaying) {
    player.setFileName(longTone550());
    player.setCurrentPosition(2.5);  // mpv has not opened the file yet
    ASSERT_TRUE(waitUntil([&] { return opened(player); }));
    ASSERT_TRUE(waitUntil([&] { return std::abs(player.currentPosition() - 2.5) < 0.1; }));

    player.setCurrentPosition(1.0);
    EXPECT_TRUE(waitUntil([&] { return std::abs(player.currentPosition() - 1.0) < 0.1; }));

    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 1.3; }));
    player.setCurrentPosition(3.0);
    EXPECT_TRUE(waitUntil([&] { return player.currentPosition() >= 3.0; }));
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);
}

// mpv refuses to start when C functions format numbers with a decimal comma, as they do under a
// German locale once Qt has applied the user's locale.
TEST(MpvPlayerLocale, StartsUnderALocaleWithADecimalComma) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const QTemporaryDir privateLocales;
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        // Not installed: compile it where only this process looks for it.
        QProcess::execute(QStringLiteral("localedef"),
                          {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                           QStringLiteral("UTF-8"), privateLocales.filePath("de_DE.UTF-8")});
        qputenv("LOCPATH", QFile::encodeName(privateLocales.path()));
        if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
            qunsetenv("LOCPATH");
            GTEST_SKIP() << "no German locale is installed and localedef cannot build one";
        }
    }
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");

    {
        MpvLibrary library;
        MpvPlayer player(library);
        player.setFileName(tone440());
        EXPECT_TRUE(waitUntil([&] { return player.duration() > 0.0; }));
    }
    std::setlocale(LC_NUMERIC, previous.c_str());
    qunsetenv("LOCPATH");
}
