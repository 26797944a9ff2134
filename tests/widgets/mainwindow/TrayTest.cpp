#include <QMessageBox>
#include <QSignalSpy>
#include <functional>

#include "fakes/ProgramFixture.h"
#include "mainwindow/Tray.h"
#include "platform/DBusMenuExporter.h"
#include "playlistwindow/TitleSearchWindow.h"
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
        click("minimiseButton");
        QCoreApplication::processEvents();
    }
    bool inTaskBar() { return windows->inTaskList(mainWindow()); }
    void withTrayMenu(const std::function<void()>& inside) {
        tray->send(TrayIcon::Event::MenuRequested);
        ASSERT_TRUE(control<QMenu>("trayMenu")->isVisible());
        inside();
        control<QMenu>("trayMenu")->close();
    }
};

TEST_F(TrayTest, IconTellsTheTrackCutTo63AndDoubleClickShowsTheWindowAndRestartsDocking) {
    EXPECT_EQ(tray->tip, "MP3-Brambleplayer");
    EXPECT_FALSE(inTaskBar());
    click("searchButton");  // nor has a dialog while the icon is there
    EXPECT_FALSE(windows->inTaskList(*program->searchIfLoaded()));
    const QString seventy(70, QLatin1Char('t'));
    const QString emojiAt62 = QString(62, QLatin1Char('e')) + QString::fromUtf8("🎵");
    model().fillPlaylist({{seventy, "/m/t.mp3"}, {emojiAt62, "/m/e.mp3"}}, {1, 2});
    click("nextButton");
    EXPECT_EQ(tray->tip, seventy.left(63));
    click("nextButton");
    EXPECT_EQ(tray->tip, emojiAt62.left(62));

    minimise();
    EXPECT_FALSE(mainWindow().isVisible());
    withTrayMenu([this] { actions().showPlayer.trigger(); });
    EXPECT_TRUE(mainWindow().isVisible() && !mainWindow().isMinimized());
    EXPECT_FALSE(timer("dockingTimer")->isEnabled());
    minimise();
    tray->send(TrayIcon::Event::Activated);
    EXPECT_TRUE(mainWindow().isVisible() && !mainWindow().isMinimized());
    EXPECT_TRUE(timer("dockingTimer")->isEnabled());
    EXPECT_FALSE(inTaskBar());
}

TEST_F(TrayTest, MessagesWhileTheMenuIsOpenAreIgnoredAndWithoutATrayMinimisingOnlyMinimises) {
    QSignalSpy opened(control<QMenu>("trayMenu"), &QMenu::aboutToShow);
    minimise();
    withTrayMenu([this] {
        tray->send(TrayIcon::Event::MenuRequested);
        tray->send(TrayIcon::Event::Activated);
    });
    EXPECT_EQ(opened.count(), 1);
    EXPECT_FALSE(mainWindow().isVisible());
    withTrayMenu([] {});
    EXPECT_EQ(opened.count(), 2);

    // A question asked by a chosen item is answered before the tray reacts again.
    QMessageBox question;
    question.setWindowModality(Qt::ApplicationModal);
    question.show();
    tray->send(TrayIcon::Event::MenuRequested);
    tray->send(TrayIcon::Event::Activated);
    EXPECT_EQ(opened.count(), 2);
    EXPECT_FALSE(mainWindow().isVisible());
    question.close();
    tray->send(TrayIcon::Event::MenuRequested);
    EXPECT_EQ(opened.count(), 3);
    control<QMenu>("trayMenu")->close();

    // Gone while out of the task bar: minimising only minimises, and puts it back there. (The
    // desktop test sees a window hidden in the tray come back when the tray goes.)
    tray->send(TrayIcon::Event::Activated);
    tray->hostRunning = false;
    minimise();
    ASSERT_TRUE(waitUntil([this] { return inTaskBar() && mainWindow().isVisible(); }));
    EXPECT_TRUE(mainWindow().isMinimized());
}

TEST_F(TrayTest, DBusTrayGetsTheMenuWithItsStatesKeptCurrentAndChoosesInIt) {
    ASSERT_EQ(tray->menu, control<QMenu>("trayMenu"));
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
    EXPECT_FALSE(shown(&actions().pause).value("enabled").toBool());
    EXPECT_TRUE(shown(&actions().next).value("enabled").toBool());
    EXPECT_EQ(shown(&actions().normalOrder).value("toggle-state").toInt(), 1);
    EXPECT_EQ(shown(&actions().shuffleOrder).value("toggle-state").toInt(), 0);

    QSignalSpy updated(&exporter, &DBusMenuExporter::LayoutUpdated);
    actions().volumeUp5.trigger();
    ASSERT_TRUE(waitUntil([&updated] { return !updated.isEmpty(); }));
    EXPECT_GT(exporter.GetLayout(DBusMenuExporter::kRootId, -1, {}, root), revision);
    ASSERT_NE(control<QMenu>("volumeMenu")->title(), "Lautstärke");
    EXPECT_EQ(root.children[6].properties.value("label").toString(),
              control<QMenu>("volumeMenu")->title());

    // A disabled item does nothing, an unknown one is reported.
    actions().shuffleOrder.setEnabled(false);
    exporter.Event(exporter.idOf(&actions().shuffleOrder), "clicked", {}, 0);
    exporter.Event(exporter.idOf(&actions().exit), "clicked", {}, 0);
    EXPECT_EQ(processEnds, 0);
    EXPECT_TRUE(waitUntil([this] { return processEnds == 1; }));
    EXPECT_FALSE(actions().shuffleOrder.isChecked());
    EXPECT_EQ(exporter.EventGroup({{999, "clicked", {}, 0}}), QList<int>{999});
}

}  // namespace
