#include <QAccessible>
#include <QSignalSpy>
#include <QTest>
#include <vector>

#include "fakes/ProgramFixture.h"
#include "player/Form1.h"
#include "player/Position.h"

namespace {

// The notch's pixel left for a left edge in twips.
int pixels(double twips) {
    return static_cast<int>(std::nearbyint(twips / 15));
}

class PositionTest : public ProgramFixture {
protected:
    void SetUp() override {
        start();
        player().file = QStringLiteral("/m/a.mp3");
        player().length = 200;
    }
    Form1& form() { return program->form1(); }
    Position& position() { return form().position(); }
    FakePlayer& player() { return *players.at(0); }  // MediaPlayer1
    // Puts the mouse so that a drag tick places the notch's left edge at `notchTwips`, which
    // must fall on a whole pixel of the mouse: 170 twips left of it.
    void mouseForNotch(double notchTwips) {
        desktop->cursor = QPoint(form().x() + pixels(notchTwips + 170), form().y() + 90);
    }
};

TEST_F(PositionTest, TimerShowsTheClockAndMovesTheNotch) {
    player().position = 125.5;
    control<FormTimer>("tmrPT")->setEnabled(true);
    ASSERT_TRUE(
        waitUntil([this] { return control<SkinLabel>("lbltime")->caption() == "2:06 / 3:20"; }));
    // 1560 + 3165 x 125.5 / 200 twips.
    EXPECT_NEAR(position().notchLeft(), 3546.04, 0.01);
    EXPECT_EQ(control<SkinLabel>("imgnotch")->x(), 236);
    player().position = 200;
    ASSERT_TRUE(
        waitUntil([this] { return control<SkinLabel>("lbltime")->caption() == "3:20 / 3:20"; }));
    EXPECT_EQ(control<SkinLabel>("imgnotch")->x(), pixels(4725));
}

TEST_F(PositionTest, DragShowsTheTargetWhileTheClockKeepsTheRealPositionAndSeeksOnRelease) {
    player().position = 125.5;
    position().SeekTick();
    QTest::mousePress(control<SkinLabel>("imgnotch"), Qt::RightButton);  // any button drags
    EXPECT_TRUE(control<SkinLabel>("lblST")->isVisible());

    mouseForNotch(2830);  // 1270 of 3165 twips along the bar
    position().SeekTick();
    EXPECT_EQ(position().notchLeft(), 2830);
    EXPECT_EQ(control<SkinLabel>("lbltime")->caption(), "2:06 / 3:20");
    EXPECT_EQ(control<SkinLabel>("lblST")->caption(), "1:20/3:20  40%");
    // Centred over the notch.
    EXPECT_NEAR(control<SkinLabel>("lblST")->x() + control<SkinLabel>("lblST")->width() / 2.0,
                (2830 + 105) / 15.0, 1);
    EXPECT_EQ(player().position, 125.5);  // nothing seeks before the release

    QTest::mouseRelease(control<SkinLabel>("imgnotch"), Qt::RightButton);
    EXPECT_NEAR(player().position, 200 * 1270 / 3165.0, 1e-3);
    EXPECT_FALSE(control<SkinLabel>("lblST")->isVisible());
    EXPECT_FALSE(position().isDragging());
}

TEST_F(PositionTest, ClickOnTheBarWithinOneTickSeeksNowhereNew) {
    player().position = 50;
    position().SeekTick();
    player().position = 50.08;  // played on since the tick
    QTest::mouseClick(control<SkinLabel>("lblbar"), Qt::LeftButton, {}, QPoint(200, 4));
    // Back to where the notch showed it, not to a pixel near it; the click redraws the clock.
    EXPECT_NEAR(player().position, 50, 1e-3);
    EXPECT_EQ(control<SkinLabel>("lbltime")->caption(), "0:50 / 3:20");
    EXPECT_FALSE(control<SkinLabel>("lblST")->isVisible());
}

TEST_F(PositionTest, TooltipStaysInsideTheWindowAtBothEnds) {
    QTest::mousePress(control<SkinLabel>("lblbar"), Qt::LeftButton);
    desktop->cursor = QPoint(form().x() - 500, 0);
    position().SeekTick();
    EXPECT_EQ(position().notchLeft(), 1560);
    EXPECT_EQ(control<SkinLabel>("lblST")->caption(), "0:00/3:20  0%");
    EXPECT_GE(control<SkinLabel>("lblST")->x(), 0);

    desktop->cursor = QPoint(form().x() + 2000, 0);
    position().SeekTick();
    EXPECT_EQ(position().notchLeft(), 4725);
    EXPECT_EQ(control<SkinLabel>("lblST")->caption(), "3:20/3:20  100%");
    // At least 100 twips clear of the window's right edge.
    EXPECT_LE(control<SkinLabel>("lblST")->geometry().right() + 1, form().width() - 6);
    QTest::mouseRelease(control<SkinLabel>("lblbar"), Qt::LeftButton);
    EXPECT_EQ(player().position, 200);
}

TEST_F(PositionTest, UnknownLengthNeitherMovesTheNotchNorSeeks) {
    player().length = 0;
    player().position = 7;
    position().SeekTick();
    EXPECT_EQ(control<SkinLabel>("lbltime")->caption(), "0:07 / 0:00");
    EXPECT_EQ(control<SkinLabel>("imgnotch")->x(), control<SkinLabel>("lblbar")->x());

    QTest::mousePress(control<SkinLabel>("imgnotch"), Qt::LeftButton);
    mouseForNotch(2830);
    position().SeekTick();
    EXPECT_EQ(control<SkinLabel>("lblST")->caption(), "0:00/0:00  40%");
    QTest::mouseRelease(control<SkinLabel>("imgnotch"), Qt::LeftButton);
    EXPECT_EQ(player().position, 7);
}

TEST_F(PositionTest, MovingOverTheBareWindowHidesTheTooltipMovingOverAControlDoesNot) {
    control<SkinLabel>("lblST")->show();
    QTest::mouseMove(control<SkinLabel>("lblbar"));
    EXPECT_TRUE(control<SkinLabel>("lblST")->isVisible());
    QTest::mouseMove(&form(), QPoint(5, 100));
    EXPECT_FALSE(control<SkinLabel>("lblST")->isVisible());
}

// To a screen reader the bar is a slider of the position in seconds, which it can set; the
// keyboard moves it while it has the focus. Either way the player jumps as at a drop of the
// notch, and the clock follows.
TEST_F(PositionTest, BarIsASliderOfSecondsThatScreenReadersAndKeysSet) {
    player().position = 125.5;
    EXPECT_EQ(readOut(control<SkinLabel>("lblbar")),
              std::tuple(QAccessible::Slider, "Position", 125.5, 0, 200));
    QAccessibleValueInterface* value =
        QAccessible::queryAccessibleInterface(control<SkinLabel>("lblbar"))->valueInterface();
    ASSERT_NE(value, nullptr);

    QSignalSpy jumps(&position(), &Position::jumped);
    value->setCurrentValue(50.0);
    EXPECT_EQ(player().position, 50);
    EXPECT_EQ(control<SkinLabel>("lbltime")->caption(), "0:50 / 3:20");
    EXPECT_EQ(control<SkinLabel>("imgnotch")->x(), pixels(1560 + 3165 * 50 / 200.0));
    value->setCurrentValue(500.0);  // held within the track
    EXPECT_EQ(player().position, 200);

    const std::vector<std::pair<Qt::Key, double>> keys{{Qt::Key_Left, 195},
                                                       {Qt::Key_Home, 0},
                                                       {Qt::Key_Left, 0},
                                                       {Qt::Key_Right, 5},
                                                       {Qt::Key_End, 200}};
    for (const auto& [key, seconds] : keys) {
        QTest::keyClick(control<SkinLabel>("lblbar"), key);
        EXPECT_EQ(player().position, seconds) << QKeySequence(key).toString().toStdString();
    }
    ASSERT_EQ(jumps.size(), 7);
    EXPECT_EQ(jumps.at(0).at(0).toDouble(), 50);

    // While playing, a screen reader hears of each new second; a tick that finds the same
    // second, as all ticks while paused, tells nothing.
    QSignalSpy told(control<SkinLabel>("lblbar"), &SkinLabel::sliderValueChanged);
    for (const double at : {10.2, 10.4, 10.4, 11.0, 11.3}) {
        player().position = at;
        position().SeekTick();
    }
    EXPECT_EQ(told.size(), 2);
}

}  // namespace
