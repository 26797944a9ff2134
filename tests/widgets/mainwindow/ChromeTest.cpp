#include <QApplication>
#include <QKeySequence>
#include <QSignalSpy>

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
    SkinLabel* next = label("nextButton");
    QTest::mousePress(next, Qt::LeftButton);
    EXPECT_EQ(next->foreColor(), kBlue);
    QTest::mouseRelease(next, Qt::LeftButton);
    EXPECT_EQ(next->foreColor(), kGreen);
    QTest::mousePress(label("playButton"), Qt::LeftButton);
    EXPECT_EQ(label("playButton")->foreColor(), kGreen);

    SkinLabel* insert = label("insertButton");  // starts in the system window colour
    QTest::mousePress(insert, Qt::RightButton);
    EXPECT_EQ(insert->backColor(), kCyan);
    QTest::mouseRelease(insert, Qt::RightButton);
    EXPECT_EQ(insert->backColor(), kWhite);
    QTest::mousePress(label("normalOrderButton"), Qt::LeftButton);
    EXPECT_EQ(label("normalOrderButton")->backColor(), kRed);

    QTest::mousePress(label("helpButton"), Qt::LeftButton);
    EXPECT_EQ(control<SkinFrame>("helpFrame")->borderColor(), kRed);
    EXPECT_EQ(label("helpButton")->foreColor(), kWhite);
    QTest::mouseRelease(label("helpButton"), Qt::LeftButton);
    EXPECT_EQ(control<SkinFrame>("helpFrame")->borderColor(), kWhite);
    EXPECT_EQ(label("helpButton")->foreColor(), kGreen);

    // Pressed 30 px into the title at its top edge, then the mouse moves to (600, 400).
    QTest::mousePress(label("titleBar"), Qt::LeftButton, {}, QPoint(30, 0));
    EXPECT_EQ(timer("windowDragTimer")->interval(), 10);
    desktop->cursor = QPoint(600, 400);
    // left = 9000 - 450 twips; top = 6000 - 0 - 100 twips; the playlist stays underneath.
    // The playlist window follows at the docking's own tick, which may come after the drag's.
    ASSERT_TRUE(waitUntil([this] {
        return mainWindow().pos() == QPoint(570, 393) && pl().pos() == QPoint(570, 393 + 155);
    }));

    // A press lower in the label places the window one twip lower: the same pixel.
    Chrome& chrome = mainWindow().chrome();
    chrome.startDrag(Qt::LeftButton, QPointF(450, 120));
    chrome.moveWithMouse();
    EXPECT_EQ(mainWindow().pos(), QPoint(570, 393));

    QTest::mouseRelease(label("titleBar"), Qt::LeftButton, {}, QPoint(30, 0));
    EXPECT_FALSE(chrome.isDragging());
    EXPECT_FALSE(timer("windowDragTimer")->isRunning());
    desktop->cursor = QPoint(100, 100);
    chrome.moveWithMouse();
    EXPECT_EQ(mainWindow().pos(), QPoint(570, 393));
}

TEST_F(ChromeTest, MinimiseResizeAndALongTitleThatScrolls) {
    click("minimiseButton");
    EXPECT_TRUE(mainWindow().windowState().testFlag(Qt::WindowMinimized));
    EXPECT_FALSE(timer("dockingTimer")->isEnabled());
    EXPECT_TRUE(mainWindow().isVisible() && pl().isVisible());
    mainWindow().setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(timer("dockingTimer")->isEnabled());

    mainWindow().setPlaylistMark("0");
    model().setTitle("");
    mainWindow().chrome().applyWindowState(false);
    EXPECT_FALSE(pl().isVisible());
    EXPECT_EQ(flags({"hidePlaylistButton", "showPlaylistButton"}), "01");
    EXPECT_FALSE(control<QMenu>("playlistMenu")->menuAction()->isEnabled());
    EXPECT_EQ(label("titleMarquee")->caption(), "Keine Datei geladen");

    mainWindow().setPlaylistMark("1");
    mainWindow().chrome().applyWindowState(false);
    EXPECT_TRUE(pl().isVisible());
    EXPECT_TRUE(label("hidePlaylistButton")->isEnabled());

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
        const QString now = label("titleMarquee")->caption();
        ASSERT_TRUE(now.isValidUtf16()) << step;
        ASSERT_FALSE(now.startsWith(QChar(0x0301)) || now.startsWith(QString("🏽"))) << step;
    }
    EXPECT_EQ(label("titleMarquee")->caption(), shown);

    model().setTitle("Kurz");
    EXPECT_EQ(label("titleMarquee")->caption(), "Kurz");
    EXPECT_FALSE(timer("marqueeTimer")->isRunning());
}

TEST_F(ChromeTest, StartsAsDesignedAndTabTakesTheButtonsInReadingOrder) {
    EXPECT_TRUE(mainWindow().isVisible());
    ASSERT_TRUE(program->playlistLoaded());
    EXPECT_EQ(pl().titleList->height(), 366);
    EXPECT_EQ(label("playlistSizeButton")->toolTip(), "Playlist verkleinern (normale Größe)");
    EXPECT_FALSE(opts().isVisible());
    EXPECT_FALSE(browser().isVisible());
    EXPECT_EQ(mainWindow().geometry(), QRect(305, 117, 427, 155));
    EXPECT_TRUE(mainWindow().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(mainWindow().palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(label("exitButton")->geometry(), QRect(384, 120, 43, 15));
    EXPECT_EQ(label("openButton")->geometry(), QRect(0, 48, 43, 15));
    EXPECT_EQ(label("playButton")->geometry(), QRect(240, 49, 19, 24));
    EXPECT_EQ(label("volumeTrack")->geometry(), QRect(360, 55, 57, 9));
    EXPECT_EQ(label("positionNotch")->geometry(), QRect(104, 85, 14, 14));
    EXPECT_EQ(label("closeButton")->pos(), QPoint(416, 0));
    EXPECT_EQ(label("minimiseButton")->pos(), QPoint(399, -2));
    EXPECT_EQ(label("titleMarquee")->pos(), QPoint(152, 24));

    EXPECT_EQ(label("titleMarquee")->caption(), "Keine Datei geladen");
    EXPECT_EQ(label("clock")->caption(), "0:00 / 0:00");
    EXPECT_EQ(label("titleBar")->caption(), " MP3-Brambleplayer");
    EXPECT_EQ(flags({"playButton", "pauseButton", "stopButton", "nextButton", "previousButton",
                     "playlistInfoButton", "infoButton"}),
              "0001100");
    EXPECT_EQ(flags({"unmuteButton", "seekTip"}, &QWidget::isVisible), "00");
    EXPECT_FALSE(timer("positionTimer")->isRunning());
    EXPECT_FALSE(timer("marqueeTimer")->isRunning());
    EXPECT_FALSE(actions().resume.isEnabled());
    EXPECT_EQ(label("normalOrderButton")->backColor(), kRed);

    EXPECT_FALSE(control<QMenu>("playerMenu")->isVisible());
    QStringList separatorCaptions;
    for (const QMenu* menu : {control<QMenu>("trayMenu"), control<QMenu>("volumeMenu")}) {
        for (const QAction* action : menu->actions()) {
            if (action->isSeparator()) {
                separatorCaptions << action->text();
            }
        }
    }
    EXPECT_EQ(separatorCaptions, QStringList(7, QString()));

    // Tab walks the enabled controls in reading order; Space or Return presses a button.
    ASSERT_TRUE(activate(mainWindow()));
    EXPECT_EQ(QApplication::focusWidget(), &mainWindow());  // Space is the window's own at first
    const auto focused = [] {
        const QWidget* widget = QApplication::focusWidget();
        return widget != nullptr ? widget->objectName() : QStringLiteral("-");
    };
    QStringList order;
    for (int i = 0; i < 19; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << focused();
    }
    // The play, pause and stop glyphs are disabled before a track is loaded, as is
    // showPlaylistButton while the playlist shows; the muted speaker is hidden.
    EXPECT_EQ(order,
              QStringList({"minimiseButton", "closeButton", "openButton", "previousButton",
                           "nextButton", "muteButton", "volumeThumb", "positionTrack",
                           "insertButton", "searchButton", "saveButton", "clearButton",
                           "normalOrderButton", "shuffleButton", "optionsButton", "exitButton",
                           "playlistSizeButton", "hidePlaylistButton", "minimiseButton"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(focused(), "hidePlaylistButton");
    QTest::keyClick(label("hidePlaylistButton"), Qt::Key_Space);
    EXPECT_FALSE(program->playlistLoaded());
    EXPECT_TRUE(waitUntil([&] { return focused() == "showPlaylistButton"; }));
    QTest::keyClick(label("showPlaylistButton"), Qt::Key_Escape);  // back to the window itself
    EXPECT_EQ(QApplication::focusWidget(), &mainWindow());

    // The mark: a dotted frame in the text colour, on the focused label only.
    const auto marked = [](SkinLabel* label) {
        const int inset = label->frameWidth() > 0 ? label->frameWidth() + 1 : 0;
        return label->grab().toImage().pixelColor(inset, inset) == label->foreColor();
    };
    SkinLabel* next = label("nextButton");
    next->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(marked(next));
    EXPECT_FALSE(marked(label("previousButton")));

    QTest::keyPress(next, Qt::Key_Space);
    EXPECT_EQ(next->foreColor(), kBlue);
    EXPECT_FALSE(timer("positionTimer")->isEnabled());
    QTest::keyRelease(next, Qt::Key_Space);
    EXPECT_EQ(next->foreColor(), kGreen);
    EXPECT_TRUE(timer("positionTimer")->isEnabled());  // the next-track click starts the clock

    SkinLabel* search = label("searchButton");
    search->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(marked(search));
    QTest::keyPress(search, Qt::Key_Return);
    EXPECT_EQ(search->backColor(), kCyan);
    QTest::keyRelease(search, Qt::Key_Return);
    EXPECT_EQ(search->backColor(), kWhite);
    ASSERT_NE(program->searchIfLoaded(), nullptr);

    // Disabled meanwhile, the window lost its focus; activated again, it takes the focus
    // itself, not "Minimieren", the first of the Tab order, whose Space would hide the player.
    mainWindow().setEnabled(false);
    mainWindow().setEnabled(true);
    ASSERT_TRUE(activate(*program->searchIfLoaded()));
    ASSERT_TRUE(activate(mainWindow()));
    EXPECT_EQ(QApplication::focusWidget(), &mainWindow());

    click("normalOrderButton");
    EXPECT_EQ(QApplication::focusWidget(), &mainWindow());
    EXPECT_FALSE(marked(search));
    EXPECT_FALSE(marked(label("normalOrderButton")));

    // The window's shortcuts: load a file, help, options.
    for (const auto& [key, action] :
         {std::pair{QKeyCombination(Qt::CTRL, Qt::Key_M), &actions().loadFile},
          {QKeyCombination(Qt::Key_F1), &actions().help},
          {QKeyCombination(Qt::Key_F3), &actions().options}}) {
        QSignalSpy triggered(action, &QAction::triggered);
        ASSERT_TRUE(activate(mainWindow()));
        QTest::keyClick(&mainWindow(), key.key(), key.keyboardModifiers());
        EXPECT_EQ(triggered.count(), 1) << QKeySequence(key).toString().toStdString();
    }
}

}  // namespace
