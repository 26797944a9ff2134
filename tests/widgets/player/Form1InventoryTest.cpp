#include <QKeySequence>

#include "fakes/ProgramFixture.h"
#include "player/Form1.h"

namespace {

class Form1InventoryTest : public ProgramFixture {
protected:
    void SetUp() override { start(); }
};

TEST_F(Form1InventoryTest, WindowIsBorderlessBlackAndAtItsDesignPlace) {
    EXPECT_EQ(form1().geometry(), QRect(305, 117, 427, 155));
    EXPECT_TRUE(form1().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(form1().palette().color(QPalette::Window), QColor(Qt::black));
}

TEST_F(Form1InventoryTest, ControlsSitAtTheirTwipsInPixels) {
    // Fixed-size controls: twips / 15, rounded.
    EXPECT_EQ(label("Label8")->geometry(), QRect(384, 120, 43, 15));
    EXPECT_EQ(label("Label11")->geometry(), QRect(0, 48, 43, 15));
    EXPECT_EQ(label("btnplay")->geometry(), QRect(240, 49, 19, 24));
    EXPECT_EQ(label("lblVol")->geometry(), QRect(360, 55, 57, 9));
    EXPECT_EQ(label("imgnotch")->geometry(), QRect(104, 85, 14, 14));
    // Auto-sized labels keep their left and top.
    EXPECT_EQ(label("Label9")->pos(), QPoint(416, 0));
    EXPECT_EQ(label("Label13")->pos(), QPoint(399, -2));
    EXPECT_EQ(label("lbltracktitle")->pos(), QPoint(152, 24));
}

TEST_F(Form1InventoryTest, InitialCaptionsAndStates) {
    EXPECT_EQ(label("lbltracktitle")->caption(), "Keine Datei geladen");
    EXPECT_EQ(label("lbltime")->caption(), "0:00 / 0:00");
    EXPECT_EQ(label("Label6")->caption(), " MP3-Brambleplayer");
    EXPECT_EQ(flags({"btnplay", "btnpause", "btnstop", "btnnext", "btnprev", "Label16", "lblinfo"}),
              "0001100");
    EXPECT_EQ(flags({"muting2", "lblST"}, &QWidget::isVisible), "00");
    EXPECT_FALSE(timer("tmrPT")->isRunning());
    EXPECT_FALSE(timer("tmrlaufschrift")->isRunning());
    EXPECT_TRUE(item("playnormal")->isChecked());
    EXPECT_FALSE(item("mnuplayagain")->isEnabled());
    EXPECT_EQ(label("Label12")->backColor(), QColor(255, 0, 0));
}

TEST_F(Form1InventoryTest, ShortcutKeysLiveOnTheWindow) {
    EXPECT_EQ(item("load_mp3")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
    EXPECT_EQ(item("optionen")->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(item("mnuhelp")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_TRUE(form1().actions().contains(item("load_mp3")));
    // The menus themselves are never shown.
    EXPECT_FALSE(control<QMenu>("mnuplayer")->isVisible());
}

TEST_F(Form1InventoryTest, TrayMenuHoldsItsItemsInOrder) {
    QStringList names;
    for (const QAction* action : control<QMenu>("mnusystemtray")->actions()) {
        names << (action->menu() != nullptr ? action->menu()->objectName() : action->objectName());
    }
    // Separators are bare lines, without a "-" beside them.
    QStringList separatorCaptions;
    for (const QMenu* menu : {control<QMenu>("mnusystemtray"), control<QMenu>("mnuvolume")}) {
        for (const QAction* action : menu->actions()) {
            if (action->isSeparator()) {
                separatorCaptions << action->text();
            }
        }
    }
    EXPECT_EQ(separatorCaptions, QStringList(7, QString()));
    EXPECT_EQ(names,
              QStringList({"mnushowpl", "mnushowquick", "t6", "mnuplayagain", "mnupause", "t12",
                           "mnuvolume", "tr1", "mnunext", "mnulast", "t7", "playnormal",
                           "playshuffle", "t8", "mnuoptions", "trenn", "mnuexit2"}));
}

}  // namespace
