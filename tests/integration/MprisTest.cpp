#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>

#include "RealPlayersFixture.h"
#include "app/RemoteControl.h"
#include "platform/MprisService.h"
#include "player/Form1.h"
#include "playlist/playlist.h"
#include "windows/options.h"

namespace {

const QString kBusName = QString::fromLatin1(MprisService::kBusName);
const QString kPlayer = QString::fromLatin1(MprisService::kPlayerInterface);

// A session bus of the test's own: a dbus-daemon started for it and ended by its process id.
class PrivateSessionBus {
public:
    PrivateSessionBus() {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1"),
                       QStringLiteral("--address=unix:dir=") + folder_.path()});
        if (daemon_.waitForStarted() && waitUntil([this] { return daemon_.canReadLine(); })) {
            address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        }
    }
    ~PrivateSessionBus() {
        daemon_.terminate();
        daemon_.waitForFinished();
    }
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    const QString& address() const { return address_; }

private:
    QTemporaryDir folder_;
    QProcess daemon_;
    QString address_;
};

// What a desktop's sound menu hears of the player.
class BusListener : public QObject {
    Q_OBJECT
public:
    QVariantMap latest;  // every property announced, at its latest value
    QList<QVariantMap> announcements;
    QList<qlonglong> jumps;

public slots:  // NOLINT(readability-redundant-access-specifiers): moc needs them apart
    void propertiesChanged(const QString& interface, const QVariantMap& changed,
                           const QStringList& /*invalidated*/) {
        if (interface == kPlayer) {
            announcements << changed;
            latest.insert(changed);
        }
    }
    void seeked(qlonglong position) { jumps << position; }
};

// The program with real players, its MPRIS object on a private bus, and dbus-send as the
// desktop's media keys.
class MprisTest : public RealPlayersFixture {
protected:
    void SetUp() override {
        ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon did not start";
        start();
        program->store.fill({{"550", longTone550()}, {"440", tone440()}, {"660", tone660()}},
                            {3, 1, 2});
        serviceConnection = QDBusConnection::connectToBus(bus.address(), QStringLiteral("player"));
        listenerConnection =
            QDBusConnection::connectToBus(bus.address(), QStringLiteral("listener"));
        service = std::make_unique<MprisService>(serviceConnection);
        service->attach(new RemoteControl(*program));
        ASSERT_TRUE(serviceConnection.registerService(kBusName));
        const QString path = QString::fromLatin1(MprisService::kObjectPath);
        ASSERT_TRUE(
            listenerConnection.connect({}, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                       QStringLiteral("PropertiesChanged"), &listener,
                                       SLOT(propertiesChanged(QString, QVariantMap, QStringList))));
        ASSERT_TRUE(listenerConnection.connect({}, path, kPlayer, QStringLiteral("Seeked"),
                                               &listener, SLOT(seeked(qlonglong))));
    }

    void TearDown() override {
        service.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("player"));
        QDBusConnection::disconnectFromBus(QStringLiteral("listener"));
    }

    // dbus-send's reply; the event loop runs meanwhile, so that the player can answer. The call
    // must succeed, or with `succeed` false, fail.
    QString send(const QString& method, const QStringList& arguments = {}, bool succeed = true) {
        QProcess client;
        client.start(
            QStringLiteral("dbus-send"),
            QStringList{QStringLiteral("--bus=") + bus.address(), QStringLiteral("--print-reply"),
                        QStringLiteral("--dest=") + kBusName,
                        QString::fromLatin1(MprisService::kObjectPath), method} +
                arguments);
        const bool finished =
            waitUntil([&client] { return client.state() == QProcess::NotRunning; });
        EXPECT_TRUE(finished && (client.exitCode() == 0) == succeed)
            << method.toStdString() << " " << arguments.join(' ').toStdString() << ": "
            << client.readAllStandardError().toStdString();
        return QString::fromUtf8(client.readAllStandardOutput());
    }
    QString playerCall(const QString& method, const QStringList& arguments = {},
                       bool succeed = true) {
        return send(kPlayer + QLatin1Char('.') + method, arguments, succeed);
    }
    QString getProperty(const QString& name) {
        return send(QStringLiteral("org.freedesktop.DBus.Properties.Get"),
                    {QStringLiteral("string:") + kPlayer, QStringLiteral("string:") + name});
    }
    void setProperty(const QString& name, const QString& typedValue) {
        send(QStringLiteral("org.freedesktop.DBus.Properties.Set"),
             {QStringLiteral("string:") + kPlayer, QStringLiteral("string:") + name,
              QStringLiteral("variant:") + typedValue});
    }
    // The track as last announced.
    QVariantMap metadata() const {
        return qdbus_cast<QVariantMap>(listener.latest.value(QStringLiteral("Metadata")));
    }
    bool announcedTitle(const QString& title) {
        return waitUntil([&] { return metadata().value(QStringLiteral("xesam:title")) == title; });
    }
    bool announced(const QString& property, const QVariant& value) {
        return waitUntil([&] { return listener.latest.value(property) == value; });
    }
    // Every track announced so far, in order.
    QList<QVariantMap> announcedTracks() const {
        QList<QVariantMap> tracks;
        for (const QVariantMap& changed : listener.announcements) {
            if (changed.contains(QStringLiteral("Metadata"))) {
                tracks << qdbus_cast<QVariantMap>(changed.value(QStringLiteral("Metadata")));
            }
        }
        return tracks;
    }
    // Scans the folders of folders.dat as the start-up does; none without the file.
    void scan(const QStringList& folders) {
        QFile list(folder.filePath(QStringLiteral("folders.dat")));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        for (const QString& scanned : folders) {
            list.write(scanned.toLocal8Bit() + "\r\n");
        }
        list.close();
        program->requestScan();
    }

    PrivateSessionBus bus;
    QDBusConnection serviceConnection{QString()};
    QDBusConnection listenerConnection{QString()};
    std::unique_ptr<MprisService> service;
    BusListener listener;
};

TEST_F(MprisTest, TransportCallsActAsTheirControlsAndAreAnnounced) {
    Form1& form = program->form1();
    MediaPlayer& player = *form.player();

    // Next is the tray's "Nächster Track": it leaves the clock alone, unlike the glyph.
    playerCall(QStringLiteral("Next"));
    ASSERT_TRUE(waitUntil([&] { return player.playState() == MediaPlayer::kPlaying; }));
    EXPECT_EQ(player.fileName(), longTone550());
    EXPECT_EQ(program->mp3pos, 1);
    EXPECT_EQ(form.findChild<SkinLabel*>(QStringLiteral("lbltracktitle"))->caption(), "550");
    EXPECT_FALSE(form.findChild<FormTimer*>(QStringLiteral("tmrPT"))->isEnabled());
    EXPECT_TRUE(announced(QStringLiteral("PlaybackStatus"), QStringLiteral("Playing")));
    ASSERT_TRUE(announcedTitle(QStringLiteral("550")));
    ASSERT_TRUE(
        waitUntil([&] { return metadata().value("mpris:length").toLongLong() > 3'900'000; }));
    EXPECT_EQ(metadata().value("xesam:url"), QUrl::fromLocalFile(longTone550()).toString());

    // PlayPause is the pause glyph: it toggles, and the tray then offers "Wiedergeben".
    playerCall(QStringLiteral("PlayPause"));
    EXPECT_EQ(player.playState(), MediaPlayer::kPaused);
    EXPECT_TRUE(form.menuItem("mnuplayagain")->isEnabled());
    EXPECT_FALSE(form.menuItem("mnupause")->isEnabled());
    EXPECT_TRUE(announced(QStringLiteral("PlaybackStatus"), QStringLiteral("Paused")));
    playerCall(QStringLiteral("PlayPause"));
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);
    EXPECT_TRUE(form.menuItem("mnuplayagain")->isEnabled());

    // Pause and Play are the tray's "Pause" and "Wiedergeben".
    playerCall(QStringLiteral("Pause"));
    EXPECT_EQ(player.playState(), MediaPlayer::kPaused);
    playerCall(QStringLiteral("Play"));
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);
    EXPECT_TRUE(form.menuItem("mnupause")->isEnabled());
    EXPECT_FALSE(form.menuItem("mnuplayagain")->isEnabled());

    // Stop is the stop glyph: the file stays, rewound.
    playerCall(QStringLiteral("Stop"));
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    EXPECT_EQ(player.fileName(), longTone550());
    EXPECT_TRUE(waitUntil([&] { return player.currentPosition() == 0.0; }));
    EXPECT_TRUE(announced(QStringLiteral("PlaybackStatus"), QStringLiteral("Stopped")));
    EXPECT_TRUE(getProperty(QStringLiteral("PlaybackStatus")).contains("\"Stopped\""));

    // Previous from step 1 wraps to the last entry.
    playerCall(QStringLiteral("Previous"));
    EXPECT_TRUE(announcedTitle(QStringLiteral("660")));
    EXPECT_EQ(program->mp3pos, 3);

    // The position is read on request only, never announced.
    for (const QVariantMap& changed : listener.announcements) {
        EXPECT_FALSE(changed.contains(QStringLiteral("Position")));
    }
}

TEST_F(MprisTest, SetPositionJumpsWithinTheCurrentTrackOnly) {
    MediaPlayer& player = *program->form1().player();
    playerCall(QStringLiteral("Next"));
    ASSERT_TRUE(waitUntil([&] { return player.duration() > 0; }));
    ASSERT_TRUE(announced(QStringLiteral("CanSeek"), true));
    const QString track = metadata().value("mpris:trackid").value<QDBusObjectPath>().path();

    playerCall(QStringLiteral("SetPosition"),
               {QStringLiteral("objpath:") + track, QStringLiteral("int64:2000000")});
    EXPECT_TRUE(waitUntil([&] { return player.currentPosition() >= 2.0; }));
    EXPECT_TRUE(waitUntil([&] { return listener.jumps == QList<qlonglong>{2'000'000}; }));
    EXPECT_TRUE(getProperty(QStringLiteral("Position")).contains("int64 2"));

    // A stale track, or a position past the end, moves nothing.
    playerCall(QStringLiteral("SetPosition"),
               {QStringLiteral("objpath:/org/brambleplayer/track/999"), QStringLiteral("int64:0")});
    playerCall(QStringLiteral("SetPosition"),
               {QStringLiteral("objpath:") + track, QStringLiteral("int64:9000000")});
    EXPECT_GE(player.currentPosition(), 2.0);
    EXPECT_EQ(listener.jumps.size(), 1);

    // A release on the position bar makes a jump as well.
    QTest::mousePress(program->form1().findChild<SkinLabel*>(QStringLiteral("lblbar")),
                      Qt::LeftButton);
    QTest::mouseRelease(program->form1().findChild<SkinLabel*>(QStringLiteral("lblbar")),
                        Qt::LeftButton);
    EXPECT_TRUE(waitUntil([&] { return listener.jumps.size() == 2; }));

    // Seeking back past the start lands on the start; past the end is the next track.
    playerCall(QStringLiteral("Seek"), {QStringLiteral("int64:-9000000")});
    EXPECT_TRUE(waitUntil([&] { return listener.jumps.size() == 3; }));
    EXPECT_EQ(listener.jumps.value(2), 0);
    EXPECT_LT(player.currentPosition(), 1.0);
    playerCall(QStringLiteral("Seek"), {QStringLiteral("int64:9000000")});
    EXPECT_TRUE(announcedTitle(QStringLiteral("440")));
    EXPECT_EQ(program->mp3pos, 2);
}

TEST_F(MprisTest, ShuffleIsThePlayOrderLabels) {
    Form1& form = program->form1();
    setProperty(QStringLiteral("Shuffle"), QStringLiteral("boolean:true"));
    EXPECT_TRUE(program->shufflemode);
    EXPECT_EQ(form.findChild<SkinLabel*>(QStringLiteral("Label4"))->backColor(), QColor(255, 0, 0));
    EXPECT_EQ(form.findChild<SkinLabel*>(QStringLiteral("Label12"))->backColor(),
              QColor(255, 255, 255));
    EXPECT_TRUE(form.menuItem("playshuffle")->isChecked());
    EXPECT_TRUE(announced(QStringLiteral("Shuffle"), true));

    // In shuffle order the next step takes the first entry of the shuffled order.
    playerCall(QStringLiteral("Next"));
    EXPECT_TRUE(announcedTitle(QStringLiteral("660")));

    setProperty(QStringLiteral("Shuffle"), QStringLiteral("boolean:false"));
    EXPECT_FALSE(program->shufflemode);
    EXPECT_EQ(form.findChild<SkinLabel*>(QStringLiteral("Label12"))->backColor(),
              QColor(255, 0, 0));
    EXPECT_TRUE(announced(QStringLiteral("Shuffle"), false));

    // The playlist always wraps around, at normal speed: other wishes are taken and answered
    // with the value that stays.
    setProperty(QStringLiteral("LoopStatus"), QStringLiteral("string:None"));
    EXPECT_TRUE(announced(QStringLiteral("LoopStatus"), QStringLiteral("Playlist")));
    setProperty(QStringLiteral("LoopStatus"), QStringLiteral("string:Playlist"));
    setProperty(QStringLiteral("Rate"), QStringLiteral("double:2.5"));
    EXPECT_TRUE(announced(QStringLiteral("Rate"), 1.0));
    EXPECT_TRUE(getProperty(QStringLiteral("Rate")).contains(QStringLiteral("double 1")));
}

TEST_F(MprisTest, CanPropertiesFollowThePlaylistAndTheLoadedFile) {
    // No folders: nothing for next and previous to start, nothing loaded to play.
    scan({});
    EXPECT_TRUE(announced(QStringLiteral("CanGoNext"), false));
    EXPECT_TRUE(announced(QStringLiteral("CanGoPrevious"), false));
    EXPECT_TRUE(getProperty(QStringLiteral("CanPlay")).contains(QStringLiteral("boolean false")));
    playerCall(QStringLiteral("Next"));
    EXPECT_TRUE(program->form1().player()->fileName().isEmpty());

    scan({fixture(QStringLiteral("folders/A"))});
    EXPECT_TRUE(announced(QStringLiteral("CanGoNext"), true));
    EXPECT_TRUE(announced(QStringLiteral("CanGoPrevious"), true));
    playerCall(QStringLiteral("Next"));
    EXPECT_TRUE(announced(QStringLiteral("CanPlay"), true));
    EXPECT_TRUE(announced(QStringLiteral("CanPause"), true));
}

TEST_F(MprisTest, OpenUriPlaysAFileAsOpenDoesAndRefusesAnythingElse) {
    Form1& form = program->form1();
    MediaPlayer& player = *form.player();
    const QString url = QUrl::fromLocalFile(tone660()).toString(QUrl::FullyEncoded);
    playerCall(QStringLiteral("OpenUri"), {QStringLiteral("string:") + url});
    EXPECT_TRUE(waitUntil([&] { return player.playState() == MediaPlayer::kPlaying; }));
    EXPECT_EQ(player.fileName(), tone660());
    EXPECT_EQ(form.findChild<SkinLabel*>(QStringLiteral("lbltracktitle"))->caption(),
              "tone_660hz_1s.mp3");
    EXPECT_FALSE(form.findChild<SkinLabel*>(QStringLiteral("btnnext"))->isEnabled());
    EXPECT_EQ(program->mp3pos, 0);
    EXPECT_EQ(program->store.count(), 3);
    EXPECT_TRUE(waitUntil([&] { return metadata().value("xesam:url") == url; }));

    makeFiles(QStringLiteral("folder.mp3"), {QStringLiteral("notes.txt")});
    for (const QString& refused :
         {QStringLiteral("http://example.org/song.mp3"),
          QUrl::fromLocalFile(folder.filePath("missing.mp3")).toString(),
          QUrl::fromLocalFile(folder.filePath("folder.mp3")).toString(),
          QUrl::fromLocalFile(folder.filePath("folder.mp3/notes.txt")).toString()}) {
        playerCall(QStringLiteral("OpenUri"), {QStringLiteral("string:") + refused}, false);
        EXPECT_EQ(player.fileName(), tone660()) << refused.toStdString();
    }
}

TEST_F(MprisTest, VolumeIsATrayStepThatSavesNothing) {
    Form1& form = program->form1();
    setProperty(QStringLiteral("Volume"), QStringLiteral("double:0.5"));
    EXPECT_NEAR(
        static_cast<double>(form.findChild<VolumeHolder*>(QStringLiteral("setVolume"))->value()) /
            form.findChild<VolumeHolder*>(QStringLiteral("setVolume"))->span(),
        0.5, 1e-4);
    EXPECT_EQ(form.findChild<QMenu*>(QStringLiteral("mnuvolume"))->title(), "Lautstärke 50%");
    EXPECT_FALSE(fileExists(QStringLiteral("settings.cfg")));
    ASSERT_TRUE(waitUntil([&] { return listener.latest.contains(QStringLiteral("Volume")); }));
    EXPECT_NEAR(listener.latest.value(QStringLiteral("Volume")).toDouble(), 0.5, 1e-4);
}

TEST_F(MprisTest, RaiseShowsThePlayerAndQuitAsksFirst) {
    Form1& form = program->form1();
    QSignalSpy shown(form.menuItem("mnushowpl"), &QAction::triggered);
    send(QStringLiteral("org.mpris.MediaPlayer2.Raise"));
    EXPECT_EQ(shown.count(), 1);
    // The docked playlist window comes up with the main window, which takes the focus.
    const QWidget* docked = &program->playlistWindow();
    EXPECT_EQ(windows->raised, std::vector<const QWidget*>{docked});
    EXPECT_EQ(windows->broughtToFront, std::vector<const QWidget*>{&form});

    program->optionsWindow().optending->setChecked(true);
    messages->answers = {MessageBoxes::Answer::No, MessageBoxes::Answer::Yes};
    send(QStringLiteral("org.mpris.MediaPlayer2.Quit"));
    ASSERT_TRUE(waitUntil([&] { return messages->shown.size() == 1; }));
    EXPECT_EQ(messages->shown[0].text, "Soll das Programm beendet werden ?");
    EXPECT_EQ(processEnds, 0);
    send(QStringLiteral("org.mpris.MediaPlayer2.Quit"));
    EXPECT_TRUE(waitUntil([&] { return processEnds == 1; }));
}

// Each track is told once, with its length and its tags: the one started, and those that run
// in at the end of the one before, the tagged one's tags with it alone.
TEST_F(MprisTest, EachTrackIsAnnouncedOnceWithItsLengthAndTags) {
    program->store.fill({{"440", tone440()}, {"Probe", taggedTone880()}, {"550", longTone550()}},
                        {1, 2, 3});
    playerCall(QStringLiteral("Next"));
    ASSERT_TRUE(announcedTitle(QStringLiteral("550")));
    playerCall(QStringLiteral("Pause"));
    ASSERT_TRUE(announced(QStringLiteral("PlaybackStatus"), QStringLiteral("Paused")));

    const QList<QVariantMap> tracks = announcedTracks();
    ASSERT_EQ(tracks.size(), 3);
    const QVariantMap& tagged = tracks[1];
    EXPECT_EQ(tagged.value("xesam:title"), "Probe");
    EXPECT_GT(tagged.value("mpris:length").toLongLong(), 900'000);
    EXPECT_EQ(tagged.value("xesam:artist").toStringList(), QStringList{"Anna Probe"});
    EXPECT_EQ(tagged.value("xesam:album"), "Töne zum Testen");
    EXPECT_EQ(tagged.value("xesam:albumArtist").toStringList(), QStringList{"Die Testkapelle"});
    EXPECT_EQ(tagged.value("xesam:trackNumber"), 7);
    EXPECT_GT(tracks[0].value("mpris:length").toLongLong(), 900'000);
    EXPECT_GT(tracks[2].value("mpris:length").toLongLong(), 3'900'000);
    EXPECT_FALSE(tracks[2].contains("xesam:artist"));
}

}  // namespace

#include "MprisTest.moc"
