#include "fakes/ProgramFixture.h"
#include "mainwindow/Docking.h"

namespace {

class StartupTest : public ProgramFixture {
protected:
    // The options in file order (then whether keepPopupBox is enabled), the folder edited and
    // in use, volume, thumb, mixer writes, the playlist window and the enabling of
    // hidePlaylistButton, showPlaylistButton and the playlist menu.
    QString summary() {
        const SettingsModel& settings = program->settings();
        QString boxes;
        for (const auto option :
             {SettingsModel::ShowPlaylistAtStart, SettingsModel::EnlargePlaylistAtStart,
              SettingsModel::ConfirmExit, SettingsModel::PopupAtTrackChange,
              SettingsModel::KeepPopupOpen}) {
            boxes += QString::number(settings.isOn(option));
        }
        boxes += QString::number(opts().keepPopupBox->isEnabled());
        QStringList written;
        for (const auto& [id, value] : mixer->writes) {
            written << QStringLiteral("%1:%2").arg(id).arg(value);
        }
        return QStringLiteral("%1 [%2|%3] vol%4 x%5 mixer[%6] pl%7%8 h%9 %10%11 %12")
            .arg(boxes, settings.editedFolder(), settings.standardFolder())
            .arg(settings.volume())
            .arg(label("volumeThumb")->x())
            .arg(written.join(','), mainWindow().playlistMark())
            .arg(pl().isVisible())
            .arg(pl().height())
            .arg(label("playlistSizeButton")->caption(),
                 label("playlistSizeButton")->foreColor().name())
            .arg(flags({"hidePlaylistButton", "showPlaylistButton"}));
    }
};

struct SettingsCase {
    const char* what;
    std::vector<QByteArray> lines;  // none: no file
    long mixerTop;
    const char* summary;
};

class StartupSettingsTest : public StartupTest,
                            public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(StartupSettingsTest, StoredSettingsReachTheirHolders) {
    const SettingsCase& c = GetParam();
    mixer->speakers = MixerControl{FakeMixer::kSpeakers, 0, c.mixerTop};
    if (!c.lines.empty()) {
        writeSettings(c.lines);
    }
    const QByteArray before = readFile("settings.cfg");
    start();
    EXPECT_EQ(summary().toStdString(), c.summary) << c.what;
    EXPECT_EQ(readFile("settings.cfg"), before);
    EXPECT_EQ(fileExists("settings.cfg"), !c.lines.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, StartupSettingsTest,
    ::testing::Values(
        SettingsCase{"none", {}, 65535, "110101 [|] vol0 x360 mixer[] pl11 h368 -#ff0000 10"},
        // The thumb at 5400 + 16000/32767 * 645 twips.
        SettingsCase{"stored",
                     {" 1 ", " 0 ", " 1 ", "/home/musik, alt", " 1 ", " 1 ", " 16000 "},
                     65535,
                     "101111 [/home/musik, alt|/home/musik, alt] vol16000 x381 mixer[1:32000] pl11 "
                     "h186 +#ffffff 10"},
        SettingsCase{"hidden, quick info off",
                     {" 0 ", " 1 ", " 0 ", "", " 0 ", " 1 ", " 0 "},
                     65535,
                     "010000 [|] vol0 x360 mixer[] pl00 h368 -#ff0000 01"},
        // A bad line keeps its initial value; the lines after it are read all the same.
        SettingsCase{"bad line 1",
                     {" 2 ", " 0 ", " 1 ", "/x", " 0 ", " 0 ", " 5 "},
                     65535,
                     "101000 [/x|/x] vol5 x360 mixer[1:10] pl11 h186 +#ffffff 10"},
        // 0..2000 gives a slider 1000 steps long: 5000 is off it and ignored.
        SettingsCase{"volume off the slider",
                     {" 1 ", " 1 ", " 0 ", "", " 1 ", " 0 ", " 5000 "},
                     2000,
                     "110101 [|] vol0 x360 mixer[] pl11 h368 -#ff0000 10"}));

// An engine that cannot be used is told once the window is up; temporary files of interrupted
// writes are removed, and nothing else.
TEST_F(StartupTest, AnUnusableEngineIsToldAndOnlyTemporaryFilesAreRemoved) {
    makeFiles("Playlist", {});
    const QStringList leftovers{"settings.cfg.bramble-tmp", "folders.dat.bramble-tmp",
                                "Playlist/rock.mpc.bramble-tmp"};
    const QStringList kept{"notizen.txt", "Playlist/rock.mpc", "settings.cfg.bak"};
    for (const QString& name : leftovers + kept) {
        writeFile(name, {});
    }
    engineAvailable = false;
    start();
    for (const QString& name : leftovers + kept) {
        EXPECT_EQ(fileExists(name), kept.contains(name)) << name.toStdString();
    }
    ASSERT_TRUE(waitUntil([this] { return !messages->shown.empty(); }));
    ASSERT_EQ(messages->shown.size(), 1U);
    EXPECT_TRUE(messages->told()[0].startsWith("Fehler: ")) << messages->told()[0].toStdString();
    EXPECT_TRUE(messages->told()[0].contains("(libmpv.so.2) wurde nicht gefunden"));
    EXPECT_TRUE(mainWindow().isVisible());
}

// Wholly on the free part of the screen, moved the least; the playlist docks underneath.
TEST_F(StartupTest, WindowsStayOnTheScreen) {
    desktop->screen = QSize(800, 600);
    desktop->available = QRect(0, 24, 800, 536);
    start();
    EXPECT_EQ(mainWindow().pos(), QPoint(305, 37));
    EXPECT_TRUE(pl().isVisible());
    mainWindow().docking().dock();
    EXPECT_EQ(pl().pos(), QPoint(305, 37 + mainWindow().height()));
    EXPECT_TRUE(desktop->availableGeometry().contains(browser().geometry()));
}

}  // namespace
