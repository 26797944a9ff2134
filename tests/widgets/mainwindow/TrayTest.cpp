#include <QMessageBox>
#include <QSignalSpy>
#include <functional>

#include "fakes/ProgramFixture.h"
#include "mainwindow/Tray.h"
#include "platform/DBusMenuExporter.h"
#include "popup/TrackChangePopup.h"

namespace {

class TrayTest : public ProgramFixture {
protected:
    void SetUp() override {
        tray->hostRunning = true;
        start();
    }
    // The window system's answer to the minimise arrives before anything else can happen.
    void minimise() {
        click("Label13");
        QCoreApplication::processEvents();
    }
    bool inTaskBar() { return windows->inTaskList(form1()); }
    void withTrayMenu(const std::function<void()>& inside) {
        tray->send(TrayIcon::kContextRequest);
        ASSERT_TRUE(control<QMenu>("mnusystemtray")->isVisible());
        inside();
        control<QMenu>("mnusystemtray")->close();
    }
};

TEST_F(TrayTest, IconTellsTheTrackCutTo63AndDoubleClickShowsTheWindowAndRestartsDocking) {
    EXPECT_EQ(tray->tip, "MP3-Brambleplayer");
    EXPECT_FALSE(inTaskBar());
    const QString seventy(70, QLatin1Char('t'));
    const QString emojiAt62 = QString(62, QLatin1Char('e')) + QString::fromUtf8("🎵");
    program->store.fill({{seventy, "/m/t.mp3"}, {emojiAt62, "/m/e.mp3"}}, {1, 2});
    click("btnnext");
    EXPECT_EQ(tray->tip, seventy.left(63));
    click("btnnext");
    EXPECT_EQ(tray->tip, emojiAt62.left(62));

    label("lblST")->show();
    tray->send(TrayIcon::kDoubleClick);  // while visible: it stays as it is
    EXPECT_TRUE(form1().isVisible() && !form1().isMinimized());
    EXPECT_FALSE(label("lblST")->isVisible());  // every message of the window hides the tooltip

    minimise();
    EXPECT_FALSE(form1().isVisible());
    withTrayMenu([this] { item("mnushowpl")->trigger(); });
    EXPECT_TRUE(form1().isVisible() && !form1().isMinimized());
    EXPECT_FALSE(timer("stayd")->isEnabled());
    minimise();
    tray->send(TrayIcon::kDoubleClick);
    EXPECT_TRUE(form1().isVisible() && !form1().isMinimized());
    EXPECT_TRUE(timer("stayd")->isEnabled());
    EXPECT_FALSE(inTaskBar());
}

TEST_F(TrayTest, MessagesWhileTheMenuIsOpenAreIgnoredAndWithoutATrayTheWindowComesBack) {
    QSignalSpy opened(control<QMenu>("mnusystemtray"), &QMenu::aboutToShow);
    minimise();
    withTrayMenu([this] {
        tray->send(TrayIcon::kContextRequest);
        tray->send(TrayIcon::kDoubleClick);
    });
    EXPECT_EQ(opened.count(), 1);
    EXPECT_FALSE(form1().isVisible());
    withTrayMenu([] {});
    EXPECT_EQ(opened.count(), 2);

    // A question asked by a chosen item is answered before the tray reacts again.
    QMessageBox question;
    question.setWindowModality(Qt::ApplicationModal);
    question.show();
    tray->send(TrayIcon::kContextRequest);
    tray->send(TrayIcon::kDoubleClick);
    EXPECT_EQ(opened.count(), 2);
    EXPECT_FALSE(form1().isVisible());
    question.close();
    tray->send(TrayIcon::kContextRequest);
    EXPECT_EQ(opened.count(), 3);
    control<QMenu>("mnusystemtray")->close();

    // Without a tray, the window hidden in it comes back (it is hidden there already).
    EXPECT_TRUE(form1().tray().tmrTrayHost->isRunning());
    tray->hostRunning = false;
    form1().tray().tmrTrayHost_Timer();
    EXPECT_TRUE(form1().isVisible() && !form1().isMinimized() && inTaskBar());
    EXPECT_TRUE(timer("stayd")->isEnabled());
    tray->hostRunning = true;  // back: the entry goes again
    form1().tray().tmrTrayHost_Timer();
    EXPECT_FALSE(inTaskBar());
    tray->hostRunning = false;
    minimise();  // only minimises
    EXPECT_TRUE(form1().isVisible() && form1().isMinimized());

    // Gone while out of the task bar: minimising puts it back there.
    tray->hostRunning = true;
    tray->send(TrayIcon::kDoubleClick);
    ASSERT_FALSE(inTaskBar());
    tray->hostRunning = false;
    minimise();
    ASSERT_TRUE(waitUntil([this] { return inTaskBar() && form1().isVisible(); }));
    EXPECT_TRUE(form1().isMinimized());
}

TEST_F(TrayTest, DBusTrayGetsTheMenuWithItsStatesKeptCurrentAndChoosesInIt) {
    ASSERT_EQ(tray->menu, control<QMenu>("mnusystemtray"));
    DBusMenuExporter exporter(*tray->menu);
    const auto shown = [&exporter](const QAction* item) {
        return exporter.propertiesOf(exporter.idOf(item));
    };
    DBusMenuLayout root;
    const uint revision = exporter.GetLayout(DBusMenuExporter::kRootId, -1, {}, root);
    QStringList labels;
    for (const DBusMenuLayout& item : root.children) {
        labels << item.properties.value("label", "-").toString();
    }
    EXPECT_EQ(labels.join('|'),
              "Player wieder zeigen|Quickinfo zeigen|-|Wiedergeben|Pause|-|Lautstärke|-|"
              "Nächster Track|Letzter Track|-|Tracks normal abspielen|"
              "Tracks zufällig abspielen|-|Optionen|-|Beenden");
    EXPECT_EQ(root.children[2].properties.value("type").toString(), "separator");
    EXPECT_EQ(root.children[6].properties.value("children-display").toString(), "submenu");
    EXPECT_EQ(root.children[6].children.size(), 5);
    EXPECT_FALSE(shown(item("mnupause")).value("enabled").toBool());
    EXPECT_TRUE(shown(item("mnunext")).value("enabled").toBool());
    EXPECT_EQ(shown(item("playnormal")).value("toggle-state").toInt(), 1);
    EXPECT_EQ(shown(item("playshuffle")).value("toggle-state").toInt(), 0);

    QSignalSpy updated(&exporter, &DBusMenuExporter::LayoutUpdated);
    form1().menuItem("mnuvolup1")->trigger();
    ASSERT_TRUE(waitUntil([&updated] { return !updated.isEmpty(); }));
    EXPECT_GT(exporter.GetLayout(DBusMenuExporter::kRootId, -1, {}, root), revision);
    ASSERT_NE(control<QMenu>("mnuvolume")->title(), "Lautstärke");
    EXPECT_EQ(root.children[6].properties.value("label").toString(),
              control<QMenu>("mnuvolume")->title());

    // A disabled item does nothing, an unknown one is reported.
    item("playshuffle")->setEnabled(false);
    exporter.Event(exporter.idOf(item("playshuffle")), "clicked", {}, 0);
    exporter.Event(exporter.idOf(item("mnuexit2")), "clicked", {}, 0);
    EXPECT_EQ(processEnds, 0);
    EXPECT_TRUE(waitUntil([this] { return processEnds == 1; }));
    EXPECT_FALSE(item("playshuffle")->isChecked());
    EXPECT_EQ(exporter.EventGroup({{999, "clicked", {}, 0}}), QList<int>{999});
}

}  // namespace
