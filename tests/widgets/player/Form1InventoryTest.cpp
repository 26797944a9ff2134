#include <QKeySequence>

#include "fakes/ProgramFixture.h"
#include "player/Form1.h"

namespace {

class Form1InventoryTest : public ProgramFixture {
protected:
    void SetUp() override { start(); }
    Form1& form() { return program->form1(); }
};

TEST_F(Form1InventoryTest, WindowIsBorderlessBlackAndAtItsDesignPlace) {
    EXPECT_EQ(form().geometry(), QRect(305, 117, 427, 155));
    EXPECT_TRUE(form().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(form().palette().color(QPalette::Window), QColor(Qt::black));
}

TEST_F(Form1InventoryTest, ControlsSitAtTheirTwipsInPixels) {
    // Fixed-size controls: twips / 15, rounded.
    EXPECT_EQ(control<SkinLabel>("Label8")->geometry(), QRect(384, 120, 43, 15));
    EXPECT_EQ(control<SkinLabel>("Label11")->geometry(), QRect(0, 48, 43, 15));
    EXPECT_EQ(control<SkinLabel>("btnplay")->geometry(), QRect(240, 49, 19, 24));
    EXPECT_EQ(control<SkinLabel>("lblVol")->geometry(), QRect(360, 55, 57, 9));
    EXPECT_EQ(control<SkinLabel>("imgnotch")->geometry(), QRect(104, 85, 14, 14));
    // Auto-sized labels keep their left and top.
    EXPECT_EQ(control<SkinLabel>("Label9")->pos(), QPoint(416, 0));
    EXPECT_EQ(control<SkinLabel>("Label13")->pos(), QPoint(399, -2));
    EXPECT_EQ(control<SkinLabel>("lbltracktitle")->pos(), QPoint(152, 24));
}

TEST_F(Form1InventoryTest, InitialCaptionsAndStates) {
    EXPECT_EQ(control<SkinLabel>("lbltracktitle")->caption(), "Keine Datei geladen");
    EXPECT_EQ(control<SkinLabel>("lbltime")->caption(), "0:00 / 0:00");
    EXPECT_EQ(control<SkinLabel>("Label6")->caption(), " MP3-Brambleplayer");
    EXPECT_FALSE(control<SkinLabel>("btnplay")->isEnabled());
    EXPECT_FALSE(control<SkinLabel>("btnpause")->isEnabled());
    EXPECT_FALSE(control<SkinLabel>("btnstop")->isEnabled());
    EXPECT_TRUE(control<SkinLabel>("btnnext")->isEnabled());
    EXPECT_TRUE(control<SkinLabel>("btnprev")->isEnabled());
    EXPECT_FALSE(control<SkinLabel>("Label16")->isEnabled());
    EXPECT_FALSE(control<SkinLabel>("lblinfo")->isEnabled());
    EXPECT_FALSE(control<SkinLabel>("muting2")->isVisible());
    EXPECT_FALSE(control<SkinLabel>("lblST")->isVisible());
    EXPECT_FALSE(control<FormTimer>("tmrPT")->isRunning());
    EXPECT_FALSE(control<FormTimer>("tmrlaufschrift")->isRunning());
    EXPECT_TRUE(form().menuItem("playnormal")->isChecked());
    EXPECT_FALSE(form().menuItem("mnuplayagain")->isEnabled());
    EXPECT_EQ(control<SkinLabel>("Label12")->backColor(), QColor(255, 0, 0));
}

TEST_F(Form1InventoryTest, ShortcutKeysLiveOnTheWindow) {
    EXPECT_EQ(form().menuItem("load_mp3")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
    EXPECT_EQ(form().menuItem("optionen")->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(form().menuItem("mnuhelp")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_TRUE(form().actions().contains(form().menuItem("load_mp3")));
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
