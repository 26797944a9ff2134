#include <QPointer>

#include "fakes/ProgramFixture.h"
#include "popup/TrackChangePopup.h"

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
    std::vector<double> slideIn() const {
        std::vector<double> lefts;
        do {
            popup()->tmrpopup_Timer();
            lefts.push_back(popup()->leftTwips());
        } while (popup()->tmrpopup->isEnabled() && popup()->tmrpopup->interval() == 10 &&
                 lefts.size() < 1000);
        return lefts;
    }
};

TEST_F(QuickInfoTest, ShortTitleHoldsSevenSecondsLongTitleScrollsAndHoldsFifteen) {
    showQuickInfo(*program, "Kurz");
    EXPECT_EQ(popup()->leftTwips(), 18385);  // wholly off the right edge
    EXPECT_EQ(popup()->geometry(), QRect(1226, 701, 201, 30));
    EXPECT_EQ(popup()->tmrpopup->interval(), 200);
    label("lbltime")->setCaption("1:02 / 3:04");
    popup()->tmrTime_Timer();
    EXPECT_EQ(popup()->Label2->caption(), "1:02 / 3:04");
    EXPECT_FALSE(popup()->tmrTime->isRunning());  // until the main window's clock changes
    label("lbltime")->setCaption("1:03 / 3:04");
    EXPECT_TRUE(popup()->tmrTime->isRunning());

    const std::vector<double> lefts = slideIn();
    ASSERT_EQ(lefts.size(), 61U);
    EXPECT_EQ(lefts[0], 18285);
    EXPECT_EQ(lefts[59], 12385);
    EXPECT_EQ(lefts[60], 12285);
    EXPECT_EQ(popup()->x(), 819);
    EXPECT_EQ(popup()->tmrpopup->interval(), 7000);
    EXPECT_FALSE(popup()->tmrlauf2->isEnabled());
    EXPECT_EQ(popup()->quicki->caption(), "Kurz");

    // After the hold, out by 150 twips a tick until Left reaches 15370, then unloaded.
    const QPointer<quickinfo> sliding(popup());
    int ticks = 0;
    for (; popup() != nullptr && ticks < 100; ++ticks) {
        popup()->tmrpopup_Timer();
    }
    EXPECT_EQ(ticks, 21);  // 12285 + 21 x 150 = 15435
    EXPECT_TRUE(waitUntil([&] { return sliding.isNull(); }));

    const QString title(57, QLatin1Char('W'));
    showQuickInfo(*program, title);
    slideIn();
    const QString shown = popup()->quicki->caption();
    EXPECT_EQ(shown, title + "   ---   ");
    EXPECT_EQ(popup()->tmrpopup->interval(), 15000);
    EXPECT_TRUE(popup()->tmrlauf2->isRunning());
    popup()->tmrlauf2_Timer();
    EXPECT_EQ(popup()->quicki->caption(), shown.mid(2) + shown.left(2));
}

TEST_F(QuickInfoTest, QuickInfoOffClosesThePopupAndLeavesAHiddenOneAtEachStep) {
    click("btnnext");
    const QPointer<quickinfo> first(popup());
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->quicki->caption(), "a");

    options::setValue(*opts().qinfo, 0);
    click("btnnext");
    ASSERT_NE(popup(), first.data());
    EXPECT_FALSE(popup()->isVisible());
    EXPECT_TRUE(popup()->tmrpopup->isEnabled());
    EXPECT_EQ(popup()->quicki->caption(), "No Track now");
    EXPECT_TRUE(waitUntil([&] { return first.isNull(); }));
    EXPECT_TRUE(waitUntil(
        [this] { return !popup()->tmrpopup->isRunning() && !popup()->tmrTime->isRunning(); }));
    item("mnushowquick")->trigger();
    EXPECT_TRUE(popup()->isVisible() && popup()->tmrpopup->isRunning());
    EXPECT_EQ(popup()->leftTwips(), 18385);
    EXPECT_EQ(popup()->quicki->caption(), "b");
}

TEST_F(QuickInfoTest, ATickDueAtUnloadReachesNoOtherPopupAndImmerAnzeigenStaysPut) {
    showQuickInfo(*program, "a");
    quickinfo* const old = popup();
    slideIn();
    for (int i = 0; i < 20; ++i) {  // sliding out, one tick short of unloading itself
        old->tmrpopup_Timer();
    }
    quickInfoAtTrackChange(*program, "b");
    ASSERT_NE(popup(), old);
    for (const FormTimer* timer : {old->tmrTime, old->tmrpopup, old->tmrlauf2}) {
        EXPECT_FALSE(timer->isRunning());
    }
    old->tmrpopup_Timer();  // the tick that was already due when it went
    ASSERT_NE(popup(), nullptr);
    EXPECT_TRUE(popup()->isVisible());

    showQuickInfo(*program, "Kurz");
    popup()->tmrpopup_Timer();
    QTest::mouseClick(popup()->quicki, Qt::LeftButton);  // during the slide
    EXPECT_EQ(popup(), nullptr);

    options::setValue(*opts().alwaysshow, 1);
    click("btnnext");
    quickinfo* const first = popup();
    slideIn();
    EXPECT_FALSE(first->tmrpopup->isEnabled());
    EXPECT_EQ(first->leftTwips(), 12285);
    click("btnnext");
    ASSERT_EQ(popup(), first);
    EXPECT_EQ(first->quicki->caption(), "b");
    first->tmrpopup_Timer();
    EXPECT_EQ(first->leftTwips(), 12285);
    QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(150, 25));
    EXPECT_EQ(popup(), nullptr);
}

}  // namespace
