#include <QSignalSpy>
#include <QTest>

#include "RealPlayersFixture.h"
#include "player/Form1.h"
#include "player/Transport.h"

namespace {

// The main window's transport driving the real libmpv through a playlist of three short
// tones: every natural end moves on by itself, and the end of the list wraps to the start.
class TransportPlaythroughTest : public RealPlayersFixture {};

TEST_F(TransportPlaythroughTest, PlaysThroughThePlaylistAndWrapsAround) {
    start();
    program->store.fill({{"440", tone440()}, {"660", tone660()}, {"990", tone990()}}, {1, 2, 3});
    Form1& form = program->form1();
    MediaPlayer& player = *form.MediaPlayer1;
    QSignalSpy ends(&player, &MediaPlayer::endOfStream);
    QStringList titles;
    QObject::connect(&form.transport(), &Transport::trayTipChanged,
                     [&titles](const QString& title) { titles << title; });

    QTest::mouseClick(form.btnnext, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return player.playState() == MediaPlayer::kPlaying; }));
    EXPECT_EQ(player.fileName(), tone440());

    // Three natural ends: 440 -> 660 -> 990 -> 440 again, each started by the end itself.
    ASSERT_TRUE(waitUntil([&] { return ends.count() >= 3; }, 20000));
    EXPECT_EQ(titles.mid(0, 4), QStringList({"440", "660", "990", "440"}));
    EXPECT_TRUE(waitUntil([&] { return player.playState() == MediaPlayer::kPlaying; }));
    EXPECT_EQ(player.fileName(), tone440());
    EXPECT_EQ(form.lbltracktitle->caption(), "440");
    EXPECT_EQ(program->mp3pos, 1);
}

}  // namespace
