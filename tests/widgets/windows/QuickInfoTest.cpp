#include <QPointer>
#include <QTest>

#include "fakes/ProgramFixture.h"
#include "player/Form1.h"
#include "windows/options.h"
#include "windows/quickinfo.h"

namespace {

// On a screen of 1024 x 768 pixels: 15360 twips wide, the popup's right edge arrives 10 twips
// inside at Left 12335 or less.
class QuickInfoTest : public ProgramFixture {
protected:
    void SetUp() override {
        desktop->screen = QSize(1024, 768);
        start();
        program->store.fill({{"a", "/m/a.mp3"}, {"b", "/m/b.mp3"}}, {1, 2});
    }
    quickinfo* popup() const { return program->quickinfoIfLoaded(); }
    options& opts() { return program->optionsWindow(); }
    // Ticks the slide until the popup has arrived (its timer leaves the 10 ms steps or stops);
    // gives the lefts it took on the way.
    std::vector<double> slideIn() {
        std::vector<double> lefts;
        do {
            popup()->tmrpopup_Timer();
            lefts.push_back(popup()->leftTwips());
        } while (popup()->tmrpopup->isEnabled() && popup()->tmrpopup->interval() == 10 &&
                 lefts.size() < 1000);
        return lefts;
    }
};

TEST_F(QuickInfoTest, ShortTitleSlidesInHoldsSevenSecondsAndSlidesOut) {
    showQuickInfo(*program, "Kurz");
    ASSERT_NE(popup(), nullptr);
    EXPECT_TRUE(popup()->isVisible());
    EXPECT_EQ(popup()->leftTwips(), 18385);  // wholly off the right edge
    EXPECT_EQ(popup()->geometry(), QRect(1226, 701, 201, 30));
    EXPECT_EQ(popup()->tmrpopup->interval(), 200);
    program->form1().lbltime->setCaption("1:02 / 3:04");
    popup()->tmrTime_Timer();
    EXPECT_EQ(popup()->Label2->caption(), "1:02 / 3:04");
    // The copy waits for the main window's clock to change.
    EXPECT_FALSE(popup()->tmrTime->isRunning());
    program->form1().lbltime->setCaption("1:03 / 3:04");
    EXPECT_TRUE(popup()->tmrTime->isRunning());

    const std::vector<double> lefts = slideIn();
    ASSERT_EQ(lefts.size(), 61U);
    EXPECT_EQ(lefts.front(), 18285);
    EXPECT_EQ(lefts[lefts.size() - 2], 12385);
    EXPECT_EQ(lefts.back(), 12285);
    EXPECT_EQ(popup()->x(), 819);
    EXPECT_EQ(popup()->tmrpopup->interval(), 7000);
    EXPECT_FALSE(popup()->tmrlauf2->isEnabled());
    EXPECT_EQ(popup()->quicki->caption(), "Kurz");

    // After the hold, out by 150 twips a tick until it is off the screen, then unloaded.
    const QPointer<quickinfo> shown(popup());
    int ticks = 0;
    while (popup() != nullptr && ticks < 100) {
        popup()->tmrpopup_Timer();
        ++ticks;
        if (ticks == 1) {
            EXPECT_EQ(popup()->leftTwips(), 12435);
            EXPECT_EQ(popup()->tmrpopup->interval(), 10);
        }
    }
    EXPECT_EQ(ticks, 21);  // 12285 + 21 x 150 = 15435, the first Left at 15370 or beyond
    EXPECT_TRUE(waitUntil([&] { return shown.isNull(); }));
}

TEST_F(QuickInfoTest, LongTitleGetsTheSeparatorScrollsAndHoldsFifteenSeconds) {
    const QString title(60, QLatin1Char('W'));
    showQuickInfo(*program, title);
    slideIn();
    const QString shown = popup()->quicki->caption();
    EXPECT_EQ(shown, title + "   ---   ");
    EXPECT_EQ(popup()->tmrpopup->interval(), 15000);
    EXPECT_TRUE(popup()->tmrlauf2->isRunning());
    popup()->tmrlauf2_Timer();
    EXPECT_EQ(popup()->quicki->caption(), shown.mid(2) + shown.left(2));
}

TEST_F(QuickInfoTest, ImmerAnzeigenStaysPutAcrossTrackChangesUntilAClick) {
    options::setValue(*opts().alwaysshow, 1);
    QTest::mouseClick(program->form1().btnnext, Qt::LeftButton);
    quickinfo* const first = popup();
    ASSERT_NE(first, nullptr);
    slideIn();
    EXPECT_FALSE(first->tmrpopup->isEnabled());
    EXPECT_TRUE(first->slideIn());
    EXPECT_EQ(first->leftTwips(), 12285);

    // The next track keeps the popup and arms it again: it stays where it is.
    QTest::mouseClick(program->form1().btnnext, Qt::LeftButton);
    ASSERT_EQ(popup(), first);
    EXPECT_EQ(first->quicki->caption(), "b");
    first->tmrpopup_Timer();
    EXPECT_EQ(first->leftTwips(), 12285);
    EXPECT_FALSE(first->tmrpopup->isEnabled());

    QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(150, 25));
    EXPECT_EQ(popup(), nullptr);
}

TEST_F(QuickInfoTest, ClickDuringTheSlideClosesIt) {
    showQuickInfo(*program, "Kurz");
    for (int i = 0; i < 5; ++i) {
        popup()->tmrpopup_Timer();
    }
    QTest::mouseClick(popup()->quicki, Qt::LeftButton);
    EXPECT_EQ(popup(), nullptr);
}

TEST_F(QuickInfoTest, QuickInfoOffClosesThePopupAndLeavesAHiddenOneAtEachStep) {
    QTest::mouseClick(program->form1().btnnext, Qt::LeftButton);
    const QPointer<quickinfo> first(popup());
    ASSERT_FALSE(first.isNull());
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->quicki->caption(), "a");

    options::setValue(*opts().qinfo, 0);
    QTest::mouseClick(program->form1().btnnext, Qt::LeftButton);
    ASSERT_NE(popup(), nullptr);
    EXPECT_NE(popup(), first.data());
    EXPECT_FALSE(popup()->isVisible());
    EXPECT_TRUE(popup()->tmrpopup->isEnabled());
    EXPECT_EQ(popup()->quicki->caption(), "No Track now");
    EXPECT_TRUE(waitUntil([&] { return first.isNull(); }));

    // Hidden, its timers sleep after their first tick; shown, it slides in from the edge.
    EXPECT_TRUE(waitUntil(
        [this] { return !popup()->tmrpopup->isRunning() && !popup()->tmrTime->isRunning(); }));
    EXPECT_EQ(popup()->leftTwips(), 18385);
    program->form1().mnushowquick->trigger();
    EXPECT_TRUE(popup()->isVisible());
    EXPECT_TRUE(popup()->tmrpopup->isRunning());
    EXPECT_EQ(popup()->quicki->caption(), "b");
}

TEST_F(QuickInfoTest, ATickDueWhenThePopupIsUnloadedNeverReachesTheNextOne) {
    showQuickInfo(*program, "a");
    quickinfo* const old = popup();
    slideIn();
    for (int i = 0; i < 20; ++i) {  // sliding out, one tick short of unloading itself
        old->tmrpopup_Timer();
    }
    ASSERT_EQ(popup(), old);

    quickInfoAtTrackChange(*program, "b");
    ASSERT_NE(popup(), old);
    for (const FormTimer* timer : {old->tmrTime, old->tmrpopup, old->tmrlauf2}) {
        EXPECT_FALSE(timer->isRunning());
    }
    // The tick that was already due when the old popup went.
    old->tmrpopup_Timer();
    ASSERT_NE(popup(), nullptr);
    EXPECT_TRUE(popup()->isVisible());
    EXPECT_EQ(popup()->quicki->caption(), "b");
}

}  // namespace
