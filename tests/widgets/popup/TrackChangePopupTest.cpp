#include <QPointer>

#include "fakes/ProgramFixture.h"
#include "popup/TrackChangePopup.h"
#include "widgets/AccessibleTree.h"

namespace {

// On a screen of 1024 x 768 pixels: 15360 twips wide, the popup's right edge arrives 10 twips
// inside at Left 12335 or less.
class TrackChangePopupTest : public ProgramFixture {
protected:
    void SetUp() override {
        desktop->screen = QSize(1024, 768);
        start();
        model().fillPlaylist({{"a", "/m/a.mp3"}, {"b", "/m/b.mp3"}}, {1, 2});
    }
    TrackChangePopup* popup() const { return program->popupIfLoaded(); }
    std::vector<double> slideIn() const {
        std::vector<double> lefts;
        do {
            popup()->slideStep();
            lefts.push_back(popup()->leftTwips());
        } while (popup()->slideTimer->isEnabled() && popup()->slideTimer->interval() == 10 &&
                 lefts.size() < 1000);
        return lefts;
    }
};

TEST_F(TrackChangePopupTest, SlidesInFromOffTheScreenCopiesTheClockAndScrollsALongTitle) {
    showPopup(*program, "Kurz");
    EXPECT_EQ(popup()->leftTwips(), 18385);  // wholly off the right edge
    EXPECT_EQ(accessibleTree(*popup()), R"(Window Trackinfo 1226,701 201x30
StaticText 0:00 / 0:00 152,17 43x11
StaticText Kurz 16,5 23x13)");
    label("clock")->setCaption("1:03 / 3:04");
    ASSERT_TRUE(popup()->clockTimer->isRunning());
    popup()->copyClock();
    EXPECT_EQ(popup()->clock->caption(), "1:03 / 3:04");

    slideIn();
    EXPECT_EQ(popup()->x(), 819);
    EXPECT_FALSE(popup()->marqueeTimer->isEnabled());
    // After the hold, out until it is off the screen, then unloaded.
    for (int ticks = 0; popup() != nullptr && ticks < 100; ++ticks) {
        popup()->slideStep();
    }
    EXPECT_EQ(popup(), nullptr);

    const QString title(57, QLatin1Char('W'));
    showPopup(*program, title);
    slideIn();
    const QString shown = popup()->titleLabel->caption();
    EXPECT_EQ(shown, title + "   ---   ");
    popup()->scrollTitle();
    EXPECT_EQ(popup()->titleLabel->caption(), shown.mid(2) + shown.left(2));
}

TEST_F(TrackChangePopupTest, QuickInfoOffClosesThePopupAndLeavesAHiddenOneAtEachStep) {
    click("nextButton");
    const QPointer<TrackChangePopup> first(popup());
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->titleLabel->caption(), "a");

    program->settings().set(SettingsModel::PopupAtTrackChange, false);
    click("nextButton");
    ASSERT_NE(popup(), first.data());
    EXPECT_FALSE(popup()->isVisible());
    EXPECT_TRUE(popup()->slideTimer->isEnabled());
    EXPECT_EQ(popup()->titleLabel->caption(), "No Track now");
    EXPECT_TRUE(waitUntil(
        [this] { return !popup()->slideTimer->isRunning() && !popup()->clockTimer->isRunning(); }));
    actions().showPopup.trigger();
    EXPECT_TRUE(popup()->isVisible() && popup()->slideTimer->isRunning());
    EXPECT_EQ(popup()->leftTwips(), 18385);
    EXPECT_EQ(popup()->titleLabel->caption(), "b");
}

TEST_F(TrackChangePopupTest, ATickDueAtUnloadReachesNoOtherPopupAndImmerAnzeigenStaysPut) {
    showPopup(*program, "a");
    TrackChangePopup* const old = popup();
    slideIn();
    for (int i = 0; i < 20; ++i) {  // sliding out, one tick short of unloading itself
        old->slideStep();
    }
    announceTrackChange(*program, "b", PlaybackModel::Start::Step);
    ASSERT_NE(popup(), old);
    for (const WindowTimer* timer : {old->clockTimer, old->slideTimer, old->marqueeTimer}) {
        EXPECT_FALSE(timer->isRunning());
    }
    old->slideStep();  // the tick that was already due when it went
    ASSERT_NE(popup(), nullptr);
    EXPECT_TRUE(popup()->isVisible());

    showPopup(*program, "Kurz");
    popup()->slideStep();
    QTest::mouseClick(popup()->titleLabel, Qt::LeftButton);  // during the slide
    EXPECT_EQ(popup(), nullptr);

    program->settings().set(SettingsModel::KeepPopupOpen, true);
    click("nextButton");
    TrackChangePopup* const first = popup();
    slideIn();
    EXPECT_FALSE(first->slideTimer->isEnabled());
    EXPECT_EQ(first->leftTwips(), 12285);
    click("nextButton");
    ASSERT_EQ(popup(), first);
    EXPECT_EQ(first->titleLabel->caption(), "b");
    first->slideStep();
    EXPECT_EQ(first->leftTwips(), 12285);
    QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(150, 25));
    EXPECT_EQ(popup(), nullptr);
}

}  // namespace
