#include "fakes/ProgramFixture.h"
#include "playlistwindow/TrackInfoWindow.h"
#include "widgets/AccessibleTree.h"

namespace {

class TrackInfoWindowTest : public ProgramFixture {
protected:
    void SetUp() override {
        writeSettings({" 1 ", " 0 ", " 0 ", "", " 1 ", " 0 ", " 0 "});
        start();
        model().fillPlaylist({{"a", "/m/a.mp3"}, {"b", "/m/b.mp3"}}, {1, 2});
        showPlaylist(*program);
    }
    FakePlayer& infoPlayer() { return static_cast<FakePlayer&>(*mainWindow().infoPlayer()); }
    TrackInfoWindow& info() { return *program->trackInfo.get(); }
    void trackInfo(int line) {
        pl().setListIndex(line);
        pl().trackInfoItem->trigger();
    }
};

TEST_F(TrackInfoWindowTest, ShowsThePathAndTheLengthMeasuredOnceTheFileIsOpen) {
    infoPlayer().length = 185.6;
    trackInfo(1);
    EXPECT_EQ(accessibleTree(info()), R"(Window Datei-Informationen 2,2 390x162
StaticText Dateipfad: 11,11 63x39
EditableText Dateipfad 11,56 368x22
StaticText Länge: 11,84 63x39
StaticText 3:06 Minuten 80,84 299x39
Button Schließen 299,129 80x22)");
    EXPECT_EQ(info().pathEdit->text(), "/m/b.mp3");
    // Measured on the second player, which is left stopped; the first is not touched.
    EXPECT_EQ(infoPlayer().calls, QStringList({"file:/m/b.mp3", "stop"}));
    EXPECT_TRUE(players.at(0)->calls.isEmpty());
    QTest::mouseClick(info().closeButton, Qt::LeftButton);
    EXPECT_EQ(program->trackInfo.get(), nullptr);

    pl().appendLines({"ohne Eintrag"});
    infoPlayer().calls.clear();
    trackInfo(2);
    EXPECT_EQ(info().pathEdit->text(), "");
    EXPECT_EQ(info().lengthLabel->text(), "0:00 Minuten");
    EXPECT_TRUE(infoPlayer().calls.isEmpty());

    // Asked again while open, it names the new line but measures nothing; closed, it does.
    info().close();
    trackInfo(0);
    infoPlayer().length = 59.5;
    trackInfo(1);
    EXPECT_EQ(info().pathEdit->text(), "/m/b.mp3");
    EXPECT_EQ(info().lengthLabel->text(), "3:06 Minuten");
    EXPECT_EQ(infoPlayer().file, "/m/a.mp3");
    info().close();
    trackInfo(1);
    EXPECT_EQ(info().lengthLabel->text(), "1:00 Minuten");

    // A slow file shows its length when it is open, or nothing after the wait.
    info().close();
    infoPlayer().slowLoad = true;
    trackInfo(0);
    EXPECT_TRUE(info().lengthLabel->text().isEmpty());
    EXPECT_TRUE(info().loadTimeout->isActive());
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

    QTest::keyClick(info().pathEdit, Qt::Key_Escape);  // as "Schließen"
    EXPECT_EQ(program->trackInfo.get(), nullptr);
}

}  // namespace
