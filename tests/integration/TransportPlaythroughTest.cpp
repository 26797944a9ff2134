#include <QSignalSpy>
#include <QTest>

#include "RealPlayersFixture.h"
#include "player/Form1.h"
#include "player/Position.h"
#include "player/Transport.h"

namespace {

// The main window's transport driving the real libmpv through a playlist of three short
// tones: every natural end moves on by itself, and the end of the list wraps to the start.
class TransportPlaythroughTest : public RealPlayersFixture {};

TEST_F(TransportPlaythroughTest, PlaysThroughThePlaylistAndWrapsAround) {
    start();
    program->store.fill({{"440", tone440()}, {"660", tone660()}, {"990", tone990()}}, {1, 2, 3});
    Form1& form = program->form1();
    MediaPlayer& player = *form.player();
    QSignalSpy ends(&player, &MediaPlayer::endOfStream);
    QStringList titles;
    QObject::connect(&form.transport(), &Transport::trayTipChanged,
                     [&titles](const QString& title) { titles << title; });

    QTest::mouseClick(form.findChild<SkinLabel*>(QStringLiteral("btnnext")), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return player.playState() == MediaPlayer::kPlaying; }));
    EXPECT_EQ(player.fileName(), tone440());

    // Three natural ends: 440 -> 660 -> 990 -> 440 again, each started by the end itself.
    ASSERT_TRUE(waitUntil([&] { return ends.count() >= 3; }, 20000));
    EXPECT_EQ(titles.mid(0, 4), QStringList({"440", "660", "990", "440"}));
    EXPECT_TRUE(waitUntil([&] { return player.playState() == MediaPlayer::kPlaying; }));
    EXPECT_EQ(player.fileName(), tone440());
    EXPECT_EQ(form.findChild<SkinLabel*>(QStringLiteral("lbltracktitle"))->caption(), "440");
    EXPECT_EQ(program->mp3pos, 1);
}

// A seek to the end while paused, or after Stop, ends the track as playing up to it does: the
// next one plays, and the title and the clock tell of it.
TEST_F(TransportPlaythroughTest, SeekToTheEndWhileHaltedTakesTheNextTrack) {
    start();
    program->store.fill({{"A", longTone550()}, {"B", longTone550()}, {"C", longTone550()}},
                        {1, 2, 3});
    Form1& form = program->form1();
    MediaPlayer& player = *form.player();
    QTest::mouseClick(form.findChild<SkinLabel*>(QStringLiteral("btnnext")), Qt::LeftButton);
    for (const auto& [halt, next] :
         {std::pair{form.findChild<SkinLabel*>(QStringLiteral("btnpause")), "B"},
          {form.findChild<SkinLabel*>(QStringLiteral("btnstop")), "C"}}) {
        SCOPED_TRACE(next);
        ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 0.1; }));
        QTest::mouseClick(halt, Qt::LeftButton);
        ASSERT_NE(player.playState(), MediaPlayer::kPlaying);
        QTest::mousePress(form.findChild<SkinLabel*>(QStringLiteral("imgnotch")), Qt::LeftButton);
        desktop->cursor = QPoint(5000, 0);  // far right of the bar
        form.position().SeekTick();
        QTest::mouseRelease(form.findChild<SkinLabel*>(QStringLiteral("imgnotch")), Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] {
            return form.findChild<SkinLabel*>(QStringLiteral("lbltracktitle"))->caption() == next &&
                   player.playState() == MediaPlayer::kPlaying && player.duration() > 0;
        }));
        form.position().SeekTick();
        EXPECT_TRUE(
            form.findChild<SkinLabel*>(QStringLiteral("lbltime"))->caption().endsWith(" / 0:04"))
            << form.findChild<SkinLabel*>(QStringLiteral("lbltime"))->caption().toStdString();
    }
}

}  // namespace
