#include <QApplication>

#include "fakes/ProgramFixture.h"
#include "mainwindow/Chrome.h"
#include "widgets/AccessibleTree.h"

namespace {

class ChromeTest : public ProgramFixture {
protected:
    void SetUp() override { start(); }
};

TEST_F(ChromeTest, ADragKeepsTheGrabPointAndALongTitleScrollsByWholeCharacters) {
    // Pressed 30 px into the title at its top edge, then the mouse moves to (600, 400).
    QTest::mousePress(label("titleBar"), Qt::LeftButton, {}, QPoint(30, 0));
    desktop->cursor = QPoint(600, 400);
    // The playlist window follows at the docking's own tick, which may come after the drag's.
    ASSERT_TRUE(waitUntil([this] {
        return mainWindow().pos() == QPoint(570, 393) && pl().pos() == QPoint(570, 548);
    }));
    QTest::mouseRelease(label("titleBar"), Qt::LeftButton, {}, QPoint(30, 0));

    // 57 characters as the reader sees them, some of two or four UTF-16 units.
    const QString title = QString(40, QLatin1Char('W')) + "A" + QString("😀").repeated(10) +
                          QString("e\u0301").repeated(3) + QString("👍🏽").repeated(3);
    model().fillPlaylist({{title, "/m/w.mp3"}}, {1});
    click("nextButton");
    const QString shown = label("titleMarquee")->caption();
    ASSERT_EQ(shown, title + "       ---        ");
    EXPECT_TRUE(timer("marqueeTimer")->isRunning());
    emit timer("marqueeTimer")->timeout();
    EXPECT_EQ(label("titleMarquee")->caption(), shown.mid(2) + shown.left(2));
    // Two characters a step, never half of one: back at the start after 75 steps.
    for (int step = 2; step <= 75; ++step) {
        emit timer("marqueeTimer")->timeout();
    }
    EXPECT_EQ(label("titleMarquee")->caption(), shown);
    model().setTitle("Kurz");
    EXPECT_EQ(label("titleMarquee")->caption(), "Kurz");
    EXPECT_FALSE(timer("marqueeTimer")->isRunning());
}

TEST_F(ChromeTest, OpensAsDesignedAndTakesTheFocusItself) {
    EXPECT_EQ(accessibleTree(mainWindow()), R"(Window MP3-Brambleplayer 305,117 427x155
StaticText   i 0,139 14x13 off
StaticText ? 384,0 8x14
Button Minimieren 399,-2 7x14
Button Player Beenden 416,0 8x14
StaticText  MP3-Brambleplayer 0,-1 379x17
StaticText Playlist mit 0 MP3 16,139 305x17
Button Ton ausschalten 321,45 32x32
Slider Position 104,88 225x9
StaticText Info 192,120 43x15 off
Button Playlist verkleinern (normale Größe) 384,139 6x19
Button Programm beenden 384,120 43x15
Button Playlist normal abspielen 240,120 43x15
Button Löscht alle Einträge der Playlist 144,120 43x15
Button MP3-Verzeichnis hinzufügen 0,120 43x15
Button Programmoptionen aufrufen 336,120 43x15
Button Tracks in zufälliger Reihenfolge spielen 288,120 43x15
Button Speichert die Playlist 96,120 43x15
Button Sucht einen Eintrag in der Playlist (F2) 48,120 43x15
Button Einzelne MP3 abspielen 0,48 43x15
Button Playlist verbergen 411,136 19x24
Button Playlist zeigen 395,136 19x24 off
Button Nächster Track 272,48 19x24
Button Pause 208,48 19x24 off
Button Stop 176,48 19x24 off
Button Letzter Track 144,48 19x24
Button Play 240,49 19x24 off
StaticText 0:00 / 0:00 352,80 57x14
StaticText Keine Datei geladen 152,24 124x15
StaticText v. 1.0 344,3 30x17
Slider Lautstärke 360,52 14x14)");
    EXPECT_EQ(accessibleTree(pl()), "Window Playlist 305,252 427x368\nList Playlist 0,0 427x366");
    EXPECT_FALSE(opts().isVisible() || browser().isVisible());

    // The window takes the focus itself, not "Minimieren", the first of the Tab order, whose
    // Space would hide the player.
    ASSERT_TRUE(activate(mainWindow()));
    EXPECT_EQ(QApplication::focusWidget(), &mainWindow());
}

}  // namespace
