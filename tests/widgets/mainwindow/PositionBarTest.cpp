#include <QAccessible>
#include <QSignalSpy>
#include <vector>

#include "fakes/ProgramFixture.h"
#include "mainwindow/PositionBar.h"

namespace {

int pixels(double twips) {
    return static_cast<int>(std::nearbyint(twips / 15));
}

class PositionBarTest : public ProgramFixture {
protected:
    void SetUp() override {
        start();
        player().file = QStringLiteral("/m/a.mp3");
        player().length = 200;
    }
    PositionBar& position() { return mainWindow().position(); }
    // Puts the mouse so that a drag tick places the notch's left edge at `notchTwips`, which
    // must fall on a whole pixel of the mouse: 170 twips left of it.
    void mouseForNotch(double notchTwips) {
        desktop->cursor =
            QPoint(mainWindow().x() + pixels(notchTwips + 170), mainWindow().y() + 90);
    }
};

// A drag seeks on release, unless the length is unknown.
TEST_F(PositionBarTest, TimerShowsTheClockAClickSeeksNowhereNewAndTheBarIsASliderOfSeconds) {
    player().position = 125.5;
    timer("positionTimer")->setEnabled(true);
    ASSERT_TRUE(waitUntil([this] { return label("clock")->caption() == "2:06 / 3:20"; }));
    EXPECT_EQ(label("positionNotch")->x(), 236);  // 1560 + 3165 x 125.5 / 200 twips

    timer("positionTimer")->setEnabled(false);
    player().position = 50;
    position().showPosition();
    player().position = 50.08;  // played on since the tick
    QTest::mouseClick(label("positionTrack"), Qt::LeftButton, {}, QPoint(200, 4));
    // Back to where the notch showed it, not to a pixel near it; the click redraws the clock.
    EXPECT_NEAR(player().position, 50, 1e-3);
    EXPECT_EQ(label("clock")->caption(), "0:50 / 3:20");
    EXPECT_FALSE(label("seekTip")->isVisible());

    // A drag is held at the end of the bar.
    QTest::mousePress(label("positionTrack"), Qt::LeftButton);
    desktop->cursor = QPoint(mainWindow().x() + 2000, 0);
    position().showPosition();
    EXPECT_EQ(label("positionNotch")->x(), 315);
    EXPECT_EQ(label("seekTip")->caption(), "3:20/3:20  100%");
    QTest::mouseRelease(label("positionTrack"), Qt::LeftButton);
    EXPECT_EQ(player().position, 200);

    // The bar is a slider of seconds that screen readers and keys set.
    player().position = 125.5;
    EXPECT_EQ(readOut(label("positionTrack")),
              std::tuple(QAccessible::Slider, "Position", 125.5, 0, 200));
    // Said as the clock shows it.
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(label("positionTrack"));
    EXPECT_EQ(bar->text(QAccessible::Value), "2:06 von 3:20");
    EXPECT_EQ(bar->text(QAccessible::Description), "2:06 von 3:20");  // the bus's only text
    QAccessibleValueInterface* value = bar->valueInterface();
    ASSERT_NE(value, nullptr);

    QSignalSpy jumps(&position(), &PositionBar::jumped);
    value->setCurrentValue(50.0);
    EXPECT_EQ(player().position, 50);
    EXPECT_EQ(label("clock")->caption(), "0:50 / 3:20");
    value->setCurrentValue(500.0);  // held within the track
    EXPECT_EQ(player().position, 200);

    for (const auto& [key, seconds] : {std::pair{Qt::Key_Left, 195.0},
                                       {Qt::Key_Home, 0.0},
                                       {Qt::Key_Left, 0.0},
                                       {Qt::Key_Right, 5.0},
                                       {Qt::Key_End, 200.0}}) {
        QTest::keyClick(label("positionTrack"), key);
        EXPECT_EQ(player().position, seconds) << QKeySequence(key).toString().toStdString();
    }
    ASSERT_EQ(jumps.size(), 7);
    EXPECT_EQ(jumps.at(0).at(0).toDouble(), 50);

    player().position = 125.5;
    position().showPosition();
    QTest::mousePress(label("positionNotch"), Qt::RightButton);  // any button drags
    EXPECT_TRUE(label("seekTip")->isVisible());

    mouseForNotch(2830);  // 1270 of 3165 twips along the bar
    position().showPosition();
    EXPECT_EQ(position().notchLeft(), 2830);
    EXPECT_EQ(label("clock")->caption(), "2:06 / 3:20");
    EXPECT_EQ(label("seekTip")->caption(), "1:20/3:20  40%");
    EXPECT_EQ(player().position, 125.5);  // nothing seeks before the release

    QTest::mouseRelease(label("positionNotch"), Qt::RightButton);
    EXPECT_NEAR(player().position, 80.253, 1e-3);
    EXPECT_FALSE(label("seekTip")->isVisible());
    EXPECT_FALSE(position().isDragging());

    player().length = 0;
    player().position = 7;
    position().showPosition();
    EXPECT_EQ(label("clock")->caption(), "0:07 / 0:00");
    EXPECT_EQ(label("positionNotch")->x(), label("positionTrack")->x());

    QTest::mousePress(label("positionNotch"), Qt::LeftButton);
    mouseForNotch(2830);
    position().showPosition();
    EXPECT_EQ(label("seekTip")->caption(), "0:00/0:00  40%");
    QTest::mouseRelease(label("positionNotch"), Qt::LeftButton);
    EXPECT_EQ(player().position, 7);
}

}  // namespace
