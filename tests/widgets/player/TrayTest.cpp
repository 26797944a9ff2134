#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <functional>

#include "fakes/ProgramFixture.h"
#include "player/Form1.h"
#include "player/Tray.h"
#include "windows/options.h"
#include "windows/quickinfo.h"

namespace {

class TrayTest : public ProgramFixture {
protected:
    void SetUp() override {
        tray->hostRunning = true;
        start();
    }
    Form1& form() { return program->form1(); }
    // The window system's answer to the minimise arrives before anything else can happen.
    void minimise() {
        QTest::mouseClick(form().Label13, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    bool inTaskBar() { return windows->inTaskList(form()); }
    // A context request on the icon; `inside` runs while the tray menu is open, then it closes.
    void withTrayMenu(const std::function<void()>& inside) {
        tray->send(TrayIcon::kContextRequest);
        ASSERT_TRUE(form().mnusystemtray->isVisible());
        inside();
        form().mnusystemtray->close();
    }
};

TEST_F(TrayTest, IconShowsTheProgramThenEachTrackCutTo63Characters) {
    EXPECT_EQ(tray->tip, "MP3-Brambleplayer");
    EXPECT_FALSE(inTaskBar());
    const QString seventy(70, QLatin1Char('t'));
    // A character beyond the BMP is never cut in half.
    const QString emojiAt62 = QString(62, QLatin1Char('e')) + QString::fromUtf8("🎵");
    program->store.fill({{seventy, "/m/t.mp3"}, {emojiAt62, "/m/e.mp3"}}, {1, 2});
    QTest::mouseClick(form().btnnext, Qt::LeftButton);
    EXPECT_EQ(tray->tip, seventy.left(63));
    QTest::mouseClick(form().btnnext, Qt::LeftButton);
    EXPECT_EQ(tray->tip, emojiAt62.left(62));
}

TEST_F(TrayTest, DoubleClickShowsTheWindowAndRestartsDockingPlayerWiederZeigenDoesNot) {
    form().lblST->show();
    tray->send(TrayIcon::kDoubleClick);  // while visible: it stays as it is
    EXPECT_TRUE(form().isVisible() && !form().isMinimized());
    EXPECT_FALSE(form().lblST->isVisible());  // every message of the window hides the tooltip

    minimise();
    EXPECT_FALSE(form().isVisible());
    withTrayMenu([this] { form().mnushowpl->trigger(); });
    EXPECT_TRUE(form().isVisible() && !form().isMinimized());
    EXPECT_FALSE(form().stayd->isEnabled());
    minimise();
    tray->send(TrayIcon::kDoubleClick);
    EXPECT_TRUE(form().isVisible() && !form().isMinimized());
    EXPECT_TRUE(form().stayd->isEnabled());
    EXPECT_FALSE(inTaskBar());
}

TEST_F(TrayTest, MessagesWhileTheMenuIsOpenAreIgnored) {
    QSignalSpy opened(form().mnusystemtray, &QMenu::aboutToShow);
    minimise();
    withTrayMenu([this] {
        tray->send(TrayIcon::kContextRequest);
        tray->send(TrayIcon::kDoubleClick);
    });
    EXPECT_EQ(opened.count(), 1);
    EXPECT_FALSE(form().isVisible());
    withTrayMenu([] {});
    EXPECT_EQ(opened.count(), 2);

    // A question asked by a chosen item is answered before the tray reacts again.
    QMessageBox question;
    question.setWindowModality(Qt::ApplicationModal);
    question.show();
    tray->send(TrayIcon::kContextRequest);
    tray->send(TrayIcon::kDoubleClick);
    EXPECT_EQ(opened.count(), 2);
    EXPECT_FALSE(form().isVisible());
    question.close();
    tray->send(TrayIcon::kContextRequest);
    EXPECT_EQ(opened.count(), 3);
    form().mnusystemtray->close();
}

// The other items are the transport's, volume's and exit's own, tested with them.
TEST_F(TrayTest, TrayMenuShowsTheQuickInfoOpensTheOptionsAndEnds) {
    withTrayMenu([this] { form().mnushowquick->trigger(); });
    ASSERT_NE(program->quickinfoIfLoaded(), nullptr);
    EXPECT_TRUE(program->quickinfoIfLoaded()->isVisible());
    EXPECT_EQ(program->quickinfoIfLoaded()->quicki->caption(), "Keine Datei geladen");
    withTrayMenu([this] { form().mnuoptions->trigger(); });
    EXPECT_TRUE(program->optionsWindow().isVisible());
    withTrayMenu([this] { form().mnuexit2->trigger(); });
    EXPECT_EQ(processEnds, 1);
    EXPECT_FALSE(tray->added);
}

TEST_F(TrayTest, WithoutATrayTheWindowIsNeverHiddenOutOfReach) {
    // The tray goes away while the window is hidden in it: the window comes back.
    minimise();
    EXPECT_TRUE(form().tray().tmrTrayHost->isRunning());
    tray->hostRunning = false;
    form().tray().tmrTrayHost_Timer();
    EXPECT_TRUE(form().isVisible() && !form().isMinimized() && inTaskBar());
    EXPECT_TRUE(form().stayd->isEnabled());
    minimise();  // only minimises
    EXPECT_TRUE(form().isVisible() && form().isMinimized());

    // Gone while the window is on screen and out of the task bar: minimising puts it back
    // into the task bar.
    tray->hostRunning = true;
    tray->send(TrayIcon::kDoubleClick);
    ASSERT_FALSE(inTaskBar());
    tray->hostRunning = false;
    minimise();
    ASSERT_TRUE(waitUntil([this] { return inTaskBar() && form().isVisible(); }));
    EXPECT_TRUE(form().isMinimized());
}

}  // namespace
