#include <QApplication>
#include <QPointer>

#include "fakes/ProgramFixture.h"
#include "playlistwindow/TrackInfoWindow.h"

namespace {

class TrackInfoWindowTest : public ProgramFixture {
protected:
    void SetUp() override {
        writeSettings({" 1 ", " 0 ", " 0 ", "", " 1 ", " 0 ", " 0 "});
        start();
        program->store.fill({{"a", "/m/a.mp3"}, {"b", "/m/b.mp3"}}, {1, 2});
        showPlaylist(*program);
    }
    FakePlayer& infoPlayer() { return static_cast<FakePlayer&>(*mainWindow().infoPlayer()); }
    TrackInfoWindow& info() { return program->trackInfoWindow(); }
    void trackInfo(int line) {
        pl().setListIndex(line);
        pl().trackInfoItem->trigger();
    }
};

TEST_F(TrackInfoWindowTest, ShowsThePathAndTheLengthMeasuredOnceTheFileIsOpen) {
    infoPlayer().length = 185.6;
    trackInfo(1);
    ASSERT_NE(program->trackInfoWindowIfLoaded(), nullptr);
    EXPECT_TRUE(info().isVisible());
    EXPECT_EQ(info().windowTitle(), "Datei-Informationen");
    EXPECT_EQ(info().size(), QSize(390, 162));
    EXPECT_EQ(info().pathEdit->text(), "/m/b.mp3");
    EXPECT_EQ(info().lengthLabel->text(), "3:06 Minuten");
    // Measured on the second player, which is left stopped; the first is not touched.
    EXPECT_EQ(infoPlayer().calls, QStringList({"file:/m/b.mp3", "stop"}));
    EXPECT_FALSE(infoPlayer().autoStarts);
    EXPECT_TRUE(players.at(0)->calls.isEmpty());

    const QPointer<QLineEdit> path(info().pathEdit);
    QTest::mouseClick(info().closeButton, Qt::LeftButton);
    EXPECT_EQ(program->trackInfoWindowIfLoaded(), nullptr);
    EXPECT_TRUE(path.isNull() || path->text().isEmpty());

    for (const auto& [seconds, text] :
         {std::pair{59.5, "1:00 Minuten"}, {0.5, "0:00 Minuten"}, {3725.0, "62:05 Minuten"}}) {
        infoPlayer().length = seconds;
        trackInfo(0);
        EXPECT_EQ(info().lengthLabel->text(), text) << seconds;
        info().close();
    }
    pl().appendLines({"ohne Eintrag"});
    infoPlayer().calls.clear();
    trackInfo(2);
    EXPECT_EQ(info().pathEdit->text(), "");
    EXPECT_EQ(info().lengthLabel->text(), "0:00 Minuten");
    EXPECT_TRUE(infoPlayer().calls.isEmpty());

    info().close();
    infoPlayer().length = 185.6;
    trackInfo(0);
    infoPlayer().length = 59.5;
    trackInfo(1);
    EXPECT_EQ(info().pathEdit->text(), "/m/b.mp3");
    EXPECT_EQ(info().lengthLabel->text(), "3:06 Minuten");
    EXPECT_EQ(infoPlayer().file, "/m/a.mp3");

    info().close();
    trackInfo(1);
    EXPECT_EQ(info().lengthLabel->text(), "1:00 Minuten");

    info().close();
    infoPlayer().slowLoad = true;
    trackInfo(0);
    EXPECT_TRUE(info().lengthLabel->text().isEmpty());
    EXPECT_TRUE(info().loadTimeout->isActive());
    EXPECT_EQ(info().loadTimeout->interval(), 2000);
    infoPlayer().length = 185.6;
    infoPlayer().finishLoad();
    EXPECT_EQ(info().lengthLabel->text(), "3:06 Minuten");
    EXPECT_FALSE(info().loadTimeout->isActive());
    EXPECT_EQ(infoPlayer().calls.last(), "stop");

    info().close();
    trackInfo(1);
    info().loadTimeout->start(1);
    EXPECT_TRUE(waitUntil([this] { return !info().lengthLabel->text().isEmpty(); }));
    EXPECT_EQ(info().lengthLabel->text(), "0:00 Minuten");

    // Escape closes it as "Schließen" does; the playlist it was opened from has the focus again.
    info().close();
    ASSERT_TRUE(activate(mainWindow()));  // where the closing just sent the focus
    ASSERT_TRUE(activate(pl()));
    pl().titleList->setFocus();
    trackInfo(0);
    ASSERT_TRUE(activate(info()));
    QTest::keyClick(info().pathEdit, Qt::Key_Escape);
    EXPECT_EQ(program->trackInfoWindowIfLoaded(), nullptr);
    EXPECT_TRUE(waitUntil([this] { return QApplication::focusWidget() == pl().titleList; }));
}

}  // namespace
