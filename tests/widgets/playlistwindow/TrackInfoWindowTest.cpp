#include <QApplication>
#include <QPointer>

#include "fakes/ProgramFixture.h"
#include "playlistwindow/TrackInfoWindow.h"

namespace {

class TrackInfoTest : public ProgramFixture {
protected:
    void SetUp() override {
        writeSettings({" 1 ", " 0 ", " 0 ", "", " 1 ", " 0 ", " 0 "});
        start();
        program->store.fill({{"a", "/m/a.mp3"}, {"b", "/m/b.mp3"}}, {1, 2});
        plaction(*program, "showpl");
    }
    FakePlayer& forInfo() { return static_cast<FakePlayer&>(*form1().infoPlayer()); }
    dateiinfo& info() { return program->dateiinfoWindow(); }
    void trackInfo(int line) {
        pl().setListIndex(line);
        pl().mnutrackinfo->trigger();
    }
};

TEST_F(TrackInfoTest, ShowsThePathAndTheLengthMeasuredOnceTheFileIsOpen) {
    forInfo().length = 185.6;
    trackInfo(1);
    ASSERT_NE(program->dateiinfoIfLoaded(), nullptr);
    EXPECT_TRUE(info().isVisible());
    EXPECT_EQ(info().windowTitle(), "Datei-Informationen");
    EXPECT_EQ(info().size(), QSize(390, 162));
    EXPECT_EQ(info().Text1->text(), "/m/b.mp3");
    EXPECT_EQ(info().Label3->text(), "3:06 Minuten");
    // Measured on the second player, which is left stopped; the first is not touched.
    EXPECT_EQ(forInfo().calls, QStringList({"file:/m/b.mp3", "stop"}));
    EXPECT_FALSE(forInfo().autoStarts);
    EXPECT_TRUE(players.at(0)->calls.isEmpty());

    const QPointer<QLineEdit> path(info().Text1);
    QTest::mouseClick(info().Command1, Qt::LeftButton);
    EXPECT_EQ(program->dateiinfoIfLoaded(), nullptr);
    EXPECT_TRUE(path.isNull() || path->text().isEmpty());

    for (const auto& [seconds, text] :
         {std::pair{59.5, "1:00 Minuten"}, {0.5, "0:00 Minuten"}, {3725.0, "62:05 Minuten"}}) {
        forInfo().length = seconds;
        trackInfo(0);
        EXPECT_EQ(info().Label3->text(), text) << seconds;
        info().close();
    }
    pl().appendLines({"ohne Eintrag"});
    forInfo().calls.clear();
    trackInfo(2);
    EXPECT_EQ(info().Text1->text(), "");
    EXPECT_EQ(info().Label3->text(), "0:00 Minuten");
    EXPECT_TRUE(forInfo().calls.isEmpty());

    info().close();
    forInfo().length = 185.6;
    trackInfo(0);
    forInfo().length = 59.5;
    trackInfo(1);
    EXPECT_EQ(info().Text1->text(), "/m/b.mp3");
    EXPECT_EQ(info().Label3->text(), "3:06 Minuten");
    EXPECT_EQ(forInfo().file, "/m/a.mp3");

    info().close();
    trackInfo(1);
    EXPECT_EQ(info().Label3->text(), "1:00 Minuten");

    info().close();
    forInfo().slowLoad = true;
    trackInfo(0);
    EXPECT_TRUE(info().Label3->text().isEmpty());
    EXPECT_TRUE(info().loadTimeout->isActive());
    EXPECT_EQ(info().loadTimeout->interval(), 2000);
    forInfo().length = 185.6;
    forInfo().finishLoad();
    EXPECT_EQ(info().Label3->text(), "3:06 Minuten");
    EXPECT_FALSE(info().loadTimeout->isActive());
    EXPECT_EQ(forInfo().calls.last(), "stop");

    info().close();
    trackInfo(1);
    info().loadTimeout->start(1);
    EXPECT_TRUE(waitUntil([this] { return !info().Label3->text().isEmpty(); }));
    EXPECT_EQ(info().Label3->text(), "0:00 Minuten");

    // Escape closes it as "Schließen" does; the playlist it was opened from has the focus again.
    info().close();
    ASSERT_TRUE(activate(form1()));  // where the closing just sent the focus
    ASSERT_TRUE(activate(pl()));
    pl().List1->setFocus();
    trackInfo(0);
    ASSERT_TRUE(activate(info()));
    QTest::keyClick(info().Text1, Qt::Key_Escape);
    EXPECT_EQ(program->dateiinfoIfLoaded(), nullptr);
    EXPECT_TRUE(waitUntil([this] { return QApplication::focusWidget() == pl().List1; }));
}

}  // namespace
