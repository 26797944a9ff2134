#include <QApplication>
#include <QKeySequence>

#include "fakes/ProgramFixture.h"
#include "mainwindow/Chrome.h"
#include "playlistwindow/TitleSearchWindow.h"

namespace {

const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kCyan(0, 255, 255);

class ChromeTest : public ProgramFixture {
protected:
    void SetUp() override { start(); }
};

TEST_F(ChromeTest, ButtonsLookPressedOnlyWhileHeldAndADragKeepsTheGrabPoint) {
    SkinLabel* next = label("btnnext");
    QTest::mousePress(next, Qt::LeftButton);
    EXPECT_EQ(next->foreColor(), kBlue);
    QTest::mouseRelease(next, Qt::LeftButton);
    EXPECT_EQ(next->foreColor(), kGreen);
    QTest::mousePress(label("btnplay"), Qt::LeftButton);
    EXPECT_EQ(label("btnplay")->foreColor(), kGreen);

    SkinLabel* insert = label("Label7");  // starts in the system window colour
    QTest::mousePress(insert, Qt::RightButton);
    EXPECT_EQ(insert->backColor(), kCyan);
    QTest::mouseRelease(insert, Qt::RightButton);
    EXPECT_EQ(insert->backColor(), kWhite);
    QTest::mousePress(label("Label12"), Qt::LeftButton);
    EXPECT_EQ(label("Label12")->backColor(), kRed);

    QTest::mousePress(label("Label14"), Qt::LeftButton);
    EXPECT_EQ(control<SkinFrame>("Shape3")->borderColor(), kRed);
    EXPECT_EQ(label("Label14")->foreColor(), kWhite);
    QTest::mouseRelease(label("Label14"), Qt::LeftButton);
    EXPECT_EQ(control<SkinFrame>("Shape3")->borderColor(), kWhite);
    EXPECT_EQ(label("Label14")->foreColor(), kGreen);

    // Pressed 30 px into the title at its top edge, then the mouse moves to (600, 400).
    QTest::mousePress(label("Label6"), Qt::LeftButton, {}, QPoint(30, 0));
    EXPECT_EQ(timer("tmrMove")->interval(), 10);
    desktop->cursor = QPoint(600, 400);
    // left = 9000 - 450 twips; top = 6000 - 0 - 100 twips; the playlist stays underneath.
    // The playlist window follows at the docking's own tick, which may come after the drag's.
    ASSERT_TRUE(waitUntil([this] {
        return form1().pos() == QPoint(570, 393) && pl().pos() == QPoint(570, 393 + 155);
    }));

    // A press lower in the label places the window one twip lower: the same pixel.
    Chrome& chrome = form1().chrome();
    chrome.Label6_MouseDown(Qt::LeftButton, QPointF(450, 120));
    chrome.tmrMove_Timer();
    EXPECT_EQ(form1().pos(), QPoint(570, 393));

    QTest::mouseRelease(label("Label6"), Qt::LeftButton, {}, QPoint(30, 0));
    EXPECT_FALSE(chrome.isDragging());
    EXPECT_FALSE(timer("tmrMove")->isRunning());
    desktop->cursor = QPoint(100, 100);
    chrome.tmrMove_Timer();
    EXPECT_EQ(form1().pos(), QPoint(570, 393));
}

TEST_F(ChromeTest, MinimiseResizeAndALongTitleThatScrolls) {
    click("Label13");
    EXPECT_TRUE(form1().windowState().testFlag(Qt::WindowMinimized));
    EXPECT_FALSE(timer("stayd")->isEnabled());
    EXPECT_TRUE(form1().isVisible() && pl().isVisible());
    form1().setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(timer("stayd")->isEnabled());

    form1().setPlaylistMark("0");
    label("lbltracktitle")->setCaption("");
    form1().chrome().Form_Resize();
    EXPECT_FALSE(pl().isVisible());
    EXPECT_EQ(flags({"hidepl", "showpl"}), "01");
    EXPECT_FALSE(control<QMenu>("mnuplaylist")->menuAction()->isEnabled());
    EXPECT_EQ(label("lbltracktitle")->caption(), "Keine Datei geladen");

    form1().setPlaylistMark("1");
    form1().chrome().Form_Resize();
    EXPECT_TRUE(pl().isVisible());
    EXPECT_TRUE(label("hidepl")->isEnabled());

    Chrome& chrome = form1().chrome();
    // 57 characters as the reader sees them, some of two or four UTF-16 units.
    const QString title = QString(40, QLatin1Char('W')) + "A" + QString("😀").repeated(10) +
                          QString("e\u0301").repeated(3) + QString("👍🏽").repeated(3);
    program->store.fill({{title, "/m/w.mp3"}}, {1});
    click("btnnext");
    const QString shown = label("lbltracktitle")->caption();
    ASSERT_EQ(shown, title + "       ---        ");
    EXPECT_TRUE(timer("tmrlaufschrift")->isRunning());
    chrome.tmrlaufschrift_Timer();
    EXPECT_EQ(label("lbltracktitle")->caption(), shown.mid(2) + shown.left(2));
    // Two characters a step, never half of one: back at the start after 75 steps.
    for (int step = 2; step <= 75; ++step) {
        chrome.tmrlaufschrift_Timer();
        const QString now = label("lbltracktitle")->caption();
        ASSERT_TRUE(now.isValidUtf16()) << step;
        ASSERT_FALSE(now.startsWith(QChar(0x0301)) || now.startsWith(QString("🏽"))) << step;
    }
    EXPECT_EQ(label("lbltracktitle")->caption(), shown);

    chrome.setTrackTitle("Kurz");
    EXPECT_EQ(label("lbltracktitle")->caption(), "Kurz");
    EXPECT_FALSE(timer("tmrlaufschrift")->isRunning());
}

TEST_F(ChromeTest, StartsAsDesignedAndTabTakesTheButtonsInReadingOrder) {
    EXPECT_TRUE(form1().isVisible());
    ASSERT_TRUE(program->playlistLoaded());
    EXPECT_EQ(pl().List1->height(), 366);
    EXPECT_EQ(label("Label2")->toolTip(), "Playlist verkleinern (normale Größe)");
    EXPECT_FALSE(opts().isVisible());
    EXPECT_FALSE(browser().isVisible());
    EXPECT_EQ(form1().geometry(), QRect(305, 117, 427, 155));
    EXPECT_TRUE(form1().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(form1().palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(label("Label8")->geometry(), QRect(384, 120, 43, 15));
    EXPECT_EQ(label("Label11")->geometry(), QRect(0, 48, 43, 15));
    EXPECT_EQ(label("btnplay")->geometry(), QRect(240, 49, 19, 24));
    EXPECT_EQ(label("lblVol")->geometry(), QRect(360, 55, 57, 9));
    EXPECT_EQ(label("imgnotch")->geometry(), QRect(104, 85, 14, 14));
    EXPECT_EQ(label("Label9")->pos(), QPoint(416, 0));
    EXPECT_EQ(label("Label13")->pos(), QPoint(399, -2));
    EXPECT_EQ(label("lbltracktitle")->pos(), QPoint(152, 24));

    EXPECT_EQ(label("lbltracktitle")->caption(), "Keine Datei geladen");
    EXPECT_EQ(label("lbltime")->caption(), "0:00 / 0:00");
    EXPECT_EQ(label("Label6")->caption(), " MP3-Brambleplayer");
    EXPECT_EQ(flags({"btnplay", "btnpause", "btnstop", "btnnext", "btnprev", "Label16", "lblinfo"}),
              "0001100");
    EXPECT_EQ(flags({"muting2", "lblST"}, &QWidget::isVisible), "00");
    EXPECT_FALSE(timer("tmrPT")->isRunning());
    EXPECT_FALSE(timer("tmrlaufschrift")->isRunning());
    EXPECT_FALSE(item("mnuplayagain")->isEnabled());
    EXPECT_EQ(label("Label12")->backColor(), kRed);

    EXPECT_EQ(item("load_mp3")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
    EXPECT_EQ(item("optionen")->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(item("mnuhelp")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_TRUE(form1().actions().contains(item("load_mp3")));
    EXPECT_FALSE(control<QMenu>("mnuplayer")->isVisible());
    QStringList separatorCaptions;
    for (const QMenu* menu : {control<QMenu>("mnusystemtray"), control<QMenu>("mnuvolume")}) {
        for (const QAction* action : menu->actions()) {
            if (action->isSeparator()) {
                separatorCaptions << action->text();
            }
        }
    }
    EXPECT_EQ(separatorCaptions, QStringList(7, QString()));

    // Tab walks the enabled controls in reading order; Space or Return presses a button.
    ASSERT_TRUE(activate(form1()));
    EXPECT_EQ(QApplication::focusWidget(), &form1());  // Space is the window's own at first
    const auto focused = [] {
        const QWidget* widget = QApplication::focusWidget();
        return widget != nullptr ? widget->objectName() : QStringLiteral("-");
    };
    QStringList order;
    for (int i = 0; i < 19; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << focused();
    }
    // The play, pause and stop glyphs are disabled before a track is loaded, as is showpl while
    // the playlist shows; the muted speaker is hidden.
    EXPECT_EQ(order,
              QStringList({"Label13", "Label9", "Label11", "btnprev", "btnnext", "muting", "imgVol",
                           "lblbar", "Label7", "Label1", "Label3", "Label10", "Label12", "Label4",
                           "Label5", "Label8", "Label2", "hidepl", "Label13"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(focused(), "hidepl");
    QTest::keyClick(label("hidepl"), Qt::Key_Space);
    EXPECT_FALSE(program->playlistLoaded());
    EXPECT_TRUE(waitUntil([&] { return focused() == "showpl"; }));
    QTest::keyClick(label("showpl"), Qt::Key_Escape);  // back to the window itself
    EXPECT_EQ(QApplication::focusWidget(), &form1());

    // The mark: a dotted frame in the text colour, on the focused label only.
    const auto marked = [](SkinLabel* label) {
        const int inset = label->frameWidth() > 0 ? label->frameWidth() + 1 : 0;
        return label->grab().toImage().pixelColor(inset, inset) == label->foreColor();
    };
    SkinLabel* next = label("btnnext");
    next->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(marked(next));
    EXPECT_FALSE(marked(label("btnprev")));

    QTest::keyPress(next, Qt::Key_Space);
    EXPECT_EQ(next->foreColor(), kBlue);
    EXPECT_FALSE(timer("tmrPT")->isEnabled());
    QTest::keyRelease(next, Qt::Key_Space);
    EXPECT_EQ(next->foreColor(), kGreen);
    EXPECT_TRUE(timer("tmrPT")->isEnabled());  // the next-track click starts the clock

    SkinLabel* search = label("Label1");
    search->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(marked(search));
    QTest::keyPress(search, Qt::Key_Return);
    EXPECT_EQ(search->backColor(), kCyan);
    QTest::keyRelease(search, Qt::Key_Return);
    EXPECT_EQ(search->backColor(), kWhite);
    ASSERT_NE(program->searchIfLoaded(), nullptr);

    // Disabled meanwhile, the window lost its focus; activated again, it takes the focus
    // itself, not "Minimieren", the first of the Tab order, whose Space would hide the player.
    form1().setEnabled(false);
    form1().setEnabled(true);
    ASSERT_TRUE(activate(*program->searchIfLoaded()));
    ASSERT_TRUE(activate(form1()));
    EXPECT_EQ(QApplication::focusWidget(), &form1());

    click("Label12");
    EXPECT_EQ(QApplication::focusWidget(), &form1());
    EXPECT_FALSE(marked(search));
    EXPECT_FALSE(marked(label("Label12")));
}

}  // namespace
