#include <QSignalSpy>
#include <QTest>
#include <functional>

#include "fakes/ProgramFixture.h"
#include "player/Form1.h"
#include "player/Transport.h"
#include "player/Tray.h"
#include "playlist/playlist.h"
#include "windows/options.h"
#include "windows/quickinfo.h"

namespace {

class TrayTest : public ProgramFixture {
protected:
    void SetUp() override {
        tray->hostRunning = true;
        start();
        program->store.fill({{"a", "/m/a.mp3"}, {"b", "/m/b.mp3"}, {"c", "/m/c.mp3"}}, {3, 1, 2});
        program->playlistWindow().fillFromStore();
    }
    Form1& form() { return program->form1(); }
    FakePlayer& player() { return *players.at(0); }  // MediaPlayer1
    // The window system's answer to the minimise arrives before anything else can happen.
    void minimise() {
        QTest::mouseClick(form().Label13, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    bool inTaskBar() { return form().windowType() != Qt::Tool; }
    // A context request on the icon; `inside` runs while the tray menu is open, then it closes.
    void withTrayMenu(const std::function<void()>& inside) {
        tray->send(TrayIcon::kContextRequest);
        ASSERT_TRUE(form().mnusystemtray->isVisible());
        inside();
        form().mnusystemtray->close();
    }
};

TEST_F(TrayTest, IconShowsTheProgramThenEachTrackCutTo63Characters) {
    EXPECT_TRUE(tray->added);
    EXPECT_EQ(tray->tip, "MP3-Brambleplayer");
    EXPECT_FALSE(inTaskBar());

    const QString seventy(70, QLatin1Char('t'));
    // A character beyond the BMP is never cut in half.
    const QString emojiAt62 = QString(62, QLatin1Char('e')) + QString::fromUtf8("🎵") + "x";
    program->store.fill({{seventy, "/m/t.mp3"}, {emojiAt62, "/m/e.mp3"}}, {1, 2});
    QTest::mouseClick(form().btnnext, Qt::LeftButton);
    EXPECT_EQ(tray->tip, seventy.left(63));
    QTest::mouseClick(form().btnnext, Qt::LeftButton);
    EXPECT_EQ(tray->tip, emojiAt62.left(62));
    // Playing a selected line shows its title too.
    program->playlistWindow().setListIndex(0);
    form().transport().playselected();
    EXPECT_EQ(tray->tip, seventy.left(63));
}

TEST_F(TrayTest, DoubleClickShowsTheWindowAndRestartsDocking) {
    form().lblST->show();
    tray->send(TrayIcon::kDoubleClick);  // while visible: it stays as it is
    EXPECT_TRUE(form().isVisible());
    EXPECT_FALSE(form().isMinimized());
    EXPECT_FALSE(form().lblST->isVisible());  // every message of the window hides the tooltip

    minimise();
    EXPECT_FALSE(form().isVisible());
    EXPECT_FALSE(form().stayd->isEnabled());
    EXPECT_TRUE(form().tray().tmrTrayHost->isRunning());
    tray->send(TrayIcon::kDoubleClick);
    EXPECT_TRUE(form().isVisible());
    EXPECT_FALSE(form().isMinimized());
    EXPECT_TRUE(form().stayd->isEnabled());
    EXPECT_FALSE(form().tray().tmrTrayHost->isRunning());
    EXPECT_FALSE(inTaskBar());
}

TEST_F(TrayTest, PlayerWiederZeigenLeavesDockingOffUntilTheNextDoubleClick) {
    minimise();
    withTrayMenu([this] { form().mnushowpl->trigger(); });
    EXPECT_TRUE(form().isVisible());
    EXPECT_FALSE(form().isMinimized());
    EXPECT_FALSE(form().stayd->isEnabled());
    tray->send(TrayIcon::kDoubleClick);
    EXPECT_TRUE(form().stayd->isEnabled());
}

TEST_F(TrayTest, MessagesWhileTheMenuIsOpenAreIgnored) {
    QSignalSpy opened(form().mnusystemtray, &QMenu::aboutToShow);
    minimise();
    withTrayMenu([this] {
        EXPECT_TRUE(form().tray().isBusy());
        tray->send(TrayIcon::kContextRequest);
        tray->send(TrayIcon::kDoubleClick);
    });
    EXPECT_EQ(opened.count(), 1);
    EXPECT_FALSE(form().isVisible());  // the double-click came while the menu was open
    EXPECT_FALSE(form().tray().isBusy());
    withTrayMenu([] {});
    EXPECT_EQ(opened.count(), 2);
}

TEST_F(TrayTest, EveryTrayMenuItemReachesItsProcedure) {
    struct Case {
        const char* item;
        std::function<bool()> done;
    };
    const std::vector<Case> cases{
        {"mnushowquick",
         [this] {
             const quickinfo* popup = program->quickinfoIfLoaded();
             return popup != nullptr && popup->isVisible() &&
                    popup->quicki->caption() == "Keine Datei geladen";
         }},
        {"mnunext", [this] { return player().file == "/m/a.mp3" && tray->tip == "a"; }},
        {"mnulast", [this] { return player().file == "/m/c.mp3"; }},
        {"mnuvolup", [this] { return form().mnuvolume->title() != "Lautstärke"; }},
        {"playshuffle", [this] { return program->shufflemode; }},
        {"playnormal", [this] { return !program->shufflemode; }},
        {"mnuplayagain", [this] { return player().state == MediaPlayer::kPlaying; }},
        {"mnupause", [this] { return player().state != MediaPlayer::kPlaying; }},
        {"mnuoptions", [this] { return program->optionsWindow().isVisible(); }},
        {"mnuexit2", [this] { return processEnds == 1 && !tray->added; }},
    };
    for (const Case& c : cases) {
        if (QString(c.item) == "mnuplayagain") {
            QTest::mouseClick(form().btnstop, Qt::LeftButton);  // offers "Wiedergeben"
        }
        QAction* action = form().menuItem(c.item);
        ASSERT_NE(action, nullptr) << c.item;
        withTrayMenu([action] { action->trigger(); });
        EXPECT_TRUE(c.done()) << c.item;
    }
}

TEST_F(TrayTest, WithoutATrayTheWindowIsNeverHiddenOutOfReach) {
    // The tray goes away while the window is hidden in it: the window comes back.
    minimise();
    tray->hostRunning = false;
    form().tray().tmrTrayHost_Timer();
    EXPECT_TRUE(form().isVisible());
    EXPECT_FALSE(form().isMinimized());
    EXPECT_TRUE(form().stayd->isEnabled());
    EXPECT_TRUE(inTaskBar());
    // Without a tray, minimising only minimises.
    minimise();
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(form().isMinimized());

    // Back with a tray, the next minimise hides the window out of the task bar again.
    tray->send(TrayIcon::kDoubleClick);
    tray->hostRunning = true;
    minimise();
    EXPECT_FALSE(form().isVisible());
    tray->send(TrayIcon::kDoubleClick);
    EXPECT_FALSE(inTaskBar());

    // The tray goes away while the window is on screen, out of the task bar: minimising puts
    // it back into the task bar.
    tray->hostRunning = false;
    minimise();
    ASSERT_TRUE(waitUntil([this] { return inTaskBar() && form().isVisible(); }));
    EXPECT_TRUE(form().isMinimized());
}

}  // namespace
