#include <QDir>
#include <QFile>

#include "app/Docking.h"
#include "fakes/ProgramFixture.h"
#include "folders/frmopen.h"
#include "player/Form1.h"
#include "playlist/playlist.h"
#include "windows/options.h"

namespace {

const QColor kRed(255, 0, 0);

class StartupTest : public ProgramFixture {
protected:
};

TEST_F(StartupTest, FirstRunShowsTheEnlargedPlaylistAndWritesNothing) {
    start();
    EXPECT_TRUE(form1().isVisible());
    ASSERT_TRUE(program->playlistLoaded());
    EXPECT_TRUE(pl().isVisible());
    EXPECT_EQ(pl().height(), 368);  // 5520 twips
    EXPECT_EQ(pl().List1->height(), 366);
    EXPECT_EQ(form1().plcurr, "1");
    EXPECT_EQ(label("Label2")->caption(), "-");
    EXPECT_EQ(label("Label2")->foreColor(), kRed);
    EXPECT_EQ(label("Label2")->toolTip(), "Playlist verkleinern (normale Größe)");
    EXPECT_TRUE(label("hidepl")->isEnabled());
    EXPECT_FALSE(label("showpl")->isEnabled());
    EXPECT_TRUE(control<QMenu>("mnuplaylist")->menuAction()->isEnabled());
    EXPECT_TRUE(opts().alwaysshow->isEnabled());
    EXPECT_FALSE(opts().optending->isChecked());
    EXPECT_EQ(form1().setVolume.value(), 0);
    // With nothing stored the system volume is left as it is.
    EXPECT_TRUE(mixer->writes.empty());
    // The helpers exist but stay hidden, and start-up itself never writes the settings.
    EXPECT_FALSE(opts().isVisible());
    EXPECT_FALSE(browser().isVisible());
    EXPECT_FALSE(fileExists("settings.cfg"));
}

TEST_F(StartupTest, StoredSettingsReachTheirHolders) {
    writeSettings({" 1 ", " 0 ", " 1 ", "/home/musik, alt", " 1 ", " 1 ", " 16000 "});
    start();
    EXPECT_TRUE(opts().optending->isChecked());
    EXPECT_FALSE(opts().optexppl->isChecked());
    EXPECT_EQ(opts().estfolder->text(), "/home/musik, alt");
    EXPECT_EQ(form1().pathopt, "/home/musik, alt");
    EXPECT_TRUE(opts().alwaysshow->isChecked());
    EXPECT_EQ(form1().setVolume.value(), 16000);
    // The stored volume reaches the mixer at twice the slider value.
    EXPECT_EQ(mixer->writesTo(FakeMixer::kSpeakers), std::vector<long>{32000});
    EXPECT_TRUE(opts().alwaysshow->isEnabled());
    // Normal size: the playlist was not enlarged.
    EXPECT_EQ(pl().height(), 186);
    EXPECT_EQ(label("Label2")->caption(), "+");
    // The thumb sits at the value's share of the track: 5400 + 16000/32767 * 645 twips.
    EXPECT_EQ(label("imgVol")->x(), 381);
}

TEST_F(StartupTest, HiddenButEnlargedPlaylistAndQuickInfoOffClearingAlwaysShow) {
    writeSettings({" 0 ", " 1 ", " 0 ", "", " 0 ", " 1 ", " 0 "});
    const QByteArray before = readFile("settings.cfg");
    start();
    EXPECT_EQ(form1().plcurr, "0");
    EXPECT_FALSE(pl().isVisible());
    EXPECT_EQ(pl().height(), 368);
    EXPECT_EQ(label("Label2")->foreColor(), kRed);
    EXPECT_FALSE(label("hidepl")->isEnabled());
    EXPECT_TRUE(label("showpl")->isEnabled());
    EXPECT_FALSE(control<QMenu>("mnuplaylist")->menuAction()->isEnabled());

    EXPECT_FALSE(opts().qinfo->isChecked());
    EXPECT_FALSE(opts().alwaysshow->isChecked());
    EXPECT_FALSE(opts().alwaysshow->isEnabled());
    // Clearing it is not written back by start-up.
    EXPECT_EQ(readFile("settings.cfg"), before);
}

TEST_F(StartupTest, ReadStopsAtTheFirstBadLine) {
    // Line 3 holds a value a check box cannot take: it and everything after it are ignored.
    writeSettings({" 0 ", " 0 ", " 2 ", "/x", " 0 ", " 0 ", " 5 "});
    start();
    EXPECT_FALSE(opts().optshowpl->isChecked());
    EXPECT_FALSE(opts().optending->isChecked());
    EXPECT_EQ(opts().estfolder->text(), "");
    EXPECT_TRUE(opts().qinfo->isChecked());
    EXPECT_EQ(form1().setVolume.value(), 0);
}

TEST_F(StartupTest, VolumeOutsideTheSliderIsIgnored) {
    // The slider takes the mixer's range, which need not be the default one: 0..2000 gives a
    // slider 1000 steps long.
    mixer->speakers = MixerControl{FakeMixer::kSpeakers, 0, 2000};
    writeSettings({" 1 ", " 1 ", " 0 ", "", " 1 ", " 0 ", " 5000 "});
    start();
    EXPECT_EQ(form1().setVolume.value(), 0);
    EXPECT_TRUE(opts().qinfo->isChecked());
}

TEST_F(StartupTest, AnEngineThatCannotBeUsedIsReportedWithItsReasonOnceTheWindowIsUp) {
    engineAvailable = false;
    start();
    ASSERT_TRUE(waitUntil([this] { return !messages->shown.empty(); }));
    ASSERT_EQ(messages->shown.size(), 1U);
    EXPECT_EQ(messages->shown[0].title, "Fehler");
    EXPECT_TRUE(messages->shown[0].text.contains("(libmpv.so.2) wurde nicht gefunden"))
        << messages->shown[0].text.toStdString();
    EXPECT_TRUE(form1().isVisible());
}

TEST_F(StartupTest, TemporaryFilesOfInterruptedWritesAreRemovedAndNothingElse) {
    const QDir dir(folder.path());
    ASSERT_TRUE(dir.mkdir("Playlist"));
    const QStringList leftovers{"settings.cfg.bramble-tmp", "folders.dat.bramble-tmp",
                                "Playlist/rock.mpc.bramble-tmp"};
    const QStringList kept{"notizen.txt", "Playlist/rock.mpc", "settings.cfg.bak"};
    for (const QString& name : leftovers + kept) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    start();
    for (const QString& name : leftovers) {
        EXPECT_FALSE(fileExists(name)) << name.toStdString();
    }
    for (const QString& name : kept) {
        EXPECT_TRUE(fileExists(name)) << name.toStdString();
    }
}

struct ScreenCase {
    QSize screen;
    QRect available;  // null: the whole screen
    bool playlistShown;
    QPoint mainWindow;
};

class StartupScreenTest : public StartupTest, public ::testing::WithParamInterface<ScreenCase> {};

// The windows come up wholly on the part of the screen windows may take, moved the least
// distance from their designed places; the playlist window docks under the main window.
TEST_P(StartupScreenTest, WindowsStayOnTheScreen) {
    const ScreenCase& c = GetParam();
    desktop->screen = c.screen;
    desktop->available = c.available;
    if (!c.playlistShown) {
        writeSettings({" 0 ", " 0 ", " 0 ", "", " 1 ", " 0 ", " 0 "});
    }
    start();
    EXPECT_EQ(form1().pos(), c.mainWindow);
    EXPECT_EQ(pl().isVisible(), c.playlistShown);
    dockplaylist(*program);
    EXPECT_EQ(pl().pos(), c.mainWindow + QPoint(0, form1().height()));
    EXPECT_TRUE(desktop->availableGeometry().contains(browser().geometry()));
}

INSTANTIATE_TEST_SUITE_P(
    Screens, StartupScreenTest,
    ::testing::Values(
        // Where the designed place fits, it is kept.
        ScreenCase{{1280, 1024}, {}, true, {305, 117}},
        // "Exit", "Options" and "X" would stand past the right edge; the browser under a
        // panel at the top.
        ScreenCase{{640, 480}, {0, 60, 640, 420}, false, {213, 117}},
        // The enlarged playlist comes on too, as far as the screen's height allows.
        ScreenCase{{640, 480}, {}, true, {213, 0}},
        ScreenCase{{800, 600}, {0, 24, 800, 536}, true, {305, 37}}));

}  // namespace
