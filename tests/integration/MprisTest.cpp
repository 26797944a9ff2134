#include <sys/stat.h>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QProcess>
#include <QScopeGuard>
#include <QUrl>
#include <cmath>
#include <filesystem>

#include "MpvTestSupport.h"
#include "app/RemoteControl.h"
#include "platform/FileNames.h"
#include "platform/MprisService.h"

namespace {

const QString kPlayer = QString::fromLatin1(MprisService::kPlayerInterface);

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

// The program with real players, its MPRIS object on the test run's private session bus, and
// dbus-send as the desktop's media keys.
class MprisTest : public RealPlayersFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(listenerConnection.isConnected()) << "no session bus";
        start();
        model().fillPlaylist({{"550", longTone550}, {"440", tone440}, {"660", tone660}}, {3, 1, 2});
        service = std::make_unique<MprisService>(serviceConnection);
        service->attach(new RemoteControl(program->mainWindow(), model(), actions(),
                                          program->playback(), program->settings()));
        ASSERT_TRUE(serviceConnection.registerService(MprisService::kBusName));
        const QString path = MprisService::kObjectPath;
        ASSERT_TRUE(listenerConnection.connect(
            {}, path, "org.freedesktop.DBus.Properties", "PropertiesChanged", &listener,
            SLOT(propertiesChanged(QString, QVariantMap, QStringList))));
        ASSERT_TRUE(listenerConnection.connect({}, path, kPlayer, "Seeked", &listener,
                                               SLOT(seeked(qlonglong))));
    }
    void TearDown() override {
        service.reset();
        QDBusConnection::disconnectFromBus("player");
        QDBusConnection::disconnectFromBus("listener");
    }

    // dbus-send's reply, the event loop running meanwhile; the call must succeed, or fail.
    QString send(const QString& method, const QStringList& arguments = {}, bool succeed = true) {
        QProcess client;
        client.start("dbus-send", QStringList{"--session", "--print-reply",
                                              QStringLiteral("--dest=") + MprisService::kBusName,
                                              MprisService::kObjectPath, method} +
                                      arguments);
        const bool finished =
            waitUntil([&client] { return client.state() == QProcess::NotRunning; });
        EXPECT_TRUE(finished && (client.exitCode() == 0) == succeed)
            << method.toStdString() << " " << arguments.join(' ').toStdString() << ": "
            << client.readAllStandardError().toStdString();
        return QString::fromUtf8(client.readAllStandardOutput());
    }
    QString playerCall(const QString& method, const QStringList& arguments = {}) {
        return send(kPlayer + '.' + method, arguments);
    }
    QString getProperty(const QString& name) {
        return send("org.freedesktop.DBus.Properties.Get", {"string:" + kPlayer, "string:" + name});
    }
    void setProperty(const QString& name, const QString& typedValue, bool succeed = true) {
        send("org.freedesktop.DBus.Properties.Set",
             {"string:" + kPlayer, "string:" + name, "variant:" + typedValue}, succeed);
    }
    QVariantMap metadata() const {
        return qdbus_cast<QVariantMap>(listener.latest.value("Metadata"));
    }
    bool announcedTitle(const QString& title) {
        return waitUntil([&] { return metadata().value("xesam:title") == title; });
    }
    bool announced(const QString& property, const QVariant& value) {
        return waitUntil([&] { return listener.latest.value(property) == value; });
    }
    QDBusConnection serviceConnection =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, "player");
    QDBusConnection listenerConnection =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, "listener");
    std::unique_ptr<MprisService> service;
    BusListener listener;
};

TEST_F(MprisTest, TransportCallsActAsTheirControlsAndAreAnnounced) {
    MediaPlayer& player = *mainWindow().player();

    // Next is the tray's "Nächster Track": it leaves the clock alone, unlike the glyph.
    playerCall("Next");
    ASSERT_TRUE(waitUntil([&] { return player.playState() == MediaPlayer::kPlaying; }));
    EXPECT_EQ(player.fileName(), longTone550);
    EXPECT_FALSE(timer("positionTimer")->isEnabled());
    EXPECT_TRUE(announced("PlaybackStatus", "Playing"));
    ASSERT_TRUE(announcedTitle("550"));
    ASSERT_TRUE(
        waitUntil([&] { return metadata().value("mpris:length").toLongLong() > 3'900'000; }));
    EXPECT_EQ(metadata().value("xesam:url"), QUrl::fromLocalFile(longTone550).toString());

    // PlayPause is the pause glyph: it toggles, and the tray then offers "Wiedergeben".
    playerCall("PlayPause");
    EXPECT_EQ(player.playState(), MediaPlayer::kPaused);
    EXPECT_TRUE(actions().resume.isEnabled());
    EXPECT_TRUE(announced("PlaybackStatus", "Paused"));
    playerCall("PlayPause");
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);

    // Pause and Play are the tray's "Pause" and "Wiedergeben".
    playerCall("Pause");
    EXPECT_EQ(player.playState(), MediaPlayer::kPaused);
    playerCall("Play");
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);

    // Stop is the stop glyph: the file stays, rewound.
    playerCall("Stop");
    EXPECT_NE(player.playState(), MediaPlayer::kPlaying);
    EXPECT_TRUE(waitUntil([&] { return player.currentPosition() == 0.0; }));
    EXPECT_TRUE(announced("PlaybackStatus", "Stopped"));
    EXPECT_TRUE(getProperty("PlaybackStatus").contains("\"Stopped\""));

    // Previous from step 1 wraps to the last entry.
    playerCall("Previous");
    EXPECT_TRUE(announcedTitle("660"));

    // The position is read on request only, never announced.
    for (const QVariantMap& changed : listener.announcements) {
        EXPECT_FALSE(changed.contains("Position"));
    }
}

TEST_F(MprisTest, SetPositionJumpsWithinTheCurrentTrackOnly) {
    MediaPlayer& player = *mainWindow().player();
    playerCall("Next");
    ASSERT_TRUE(waitUntil([&] { return player.duration() > 0; }));
    ASSERT_TRUE(announced("CanSeek", true));
    const QString track = metadata().value("mpris:trackid").value<QDBusObjectPath>().path();

    // Paused, the position read back is exactly the one asked for.
    playerCall("Pause");
    playerCall("SetPosition", {"objpath:" + track, "int64:2000000"});
    EXPECT_TRUE(waitUntil([&] { return listener.jumps == QList<qlonglong>{2'000'000}; }));
    runEventsFor(300);  // mpv's reports once the seek has landed
    EXPECT_EQ(getProperty("Position").section("int64 ", 1).toLongLong(), 2'000'000);

    // A stale track, or a position past the end, moves nothing.
    playerCall("SetPosition", {"objpath:/org/brambleplayer/track/999", "int64:0"});
    playerCall("SetPosition", {"objpath:" + track, "int64:9000000"});
    EXPECT_GT(player.currentPosition(), 1.5);
    EXPECT_EQ(listener.jumps.size(), 1);

    // A release on the position bar makes a jump as well.
    QTest::mousePress(label("positionTrack"), Qt::LeftButton);
    QTest::mouseRelease(label("positionTrack"), Qt::LeftButton);
    EXPECT_TRUE(waitUntil([&] { return listener.jumps.size() == 2; }));

    // Seeking back past the start lands on the start; past the end is the next track.
    playerCall("Seek", {"int64:-9000000"});
    EXPECT_TRUE(waitUntil([&] { return listener.jumps.size() == 3; }));
    EXPECT_EQ(listener.jumps.value(2), 0);
    EXPECT_LT(player.currentPosition(), 1.0);
    playerCall("Seek", {"int64:9000000"});
    EXPECT_TRUE(announcedTitle("440"));
}

TEST_F(MprisTest, PropertiesSaveNothingRaiseShowsThePlayerAndQuitAsksFirst) {
    setProperty("Volume", "double:0.5");
    const SettingsModel& settings = program->settings();
    EXPECT_NEAR(static_cast<double>(settings.volume()) / settings.volumeSpan(), 0.5, 1e-4);
    EXPECT_EQ(control<QMenu>("volumeMenu")->title(), "Lautstärke 50%");
    ASSERT_TRUE(waitUntil([&] { return listener.latest.contains("Volume"); }));
    EXPECT_NEAR(listener.latest.value("Volume").toDouble(), 0.5, 1e-4);

    setProperty("Shuffle", "boolean:true");
    EXPECT_TRUE(model().shuffle());
    EXPECT_TRUE(announced("Shuffle", true));
    // In shuffle order the next step takes the first entry of the shuffled order.
    playerCall("Next");
    EXPECT_TRUE(announcedTitle("660"));
    setProperty("Shuffle", "boolean:false");
    EXPECT_FALSE(model().shuffle());
    EXPECT_TRUE(announced("Shuffle", false));

    // The playlist always wraps around, at normal speed: other values are refused, and a rate
    // of 0 pauses.
    setProperty("LoopStatus", "string:None", false);
    setProperty("LoopStatus", "string:Playlist");
    EXPECT_TRUE(announced("LoopStatus", "Playlist"));
    setProperty("Rate", "double:2.5", false);
    EXPECT_EQ(mainWindow().player()->playState(), MediaPlayer::kPlaying);
    setProperty("Rate", "double:0");
    EXPECT_EQ(mainWindow().player()->playState(), MediaPlayer::kPaused);
    EXPECT_TRUE(announced("Rate", 1.0));
    EXPECT_FALSE(fileExists("settings.cfg"));

    // Raise shows the player, Quit asks first.
    windows->broughtToFront.clear();
    send("org.mpris.MediaPlayer2.Raise");
    EXPECT_EQ(windows->broughtToFront, std::vector<const QWidget*>{&mainWindow()});

    program->settings().set(SettingsModel::ConfirmExit, true);
    messages->answers = {MessageBoxes::Answer::No, MessageBoxes::Answer::Yes};
    send("org.mpris.MediaPlayer2.Quit");
    ASSERT_TRUE(waitUntil([&] { return messages->shown.size() == 1; }));
    EXPECT_EQ(processEnds, 0);
    send("org.mpris.MediaPlayer2.Quit");
    EXPECT_TRUE(waitUntil([&] { return processEnds == 1; }));
}

TEST_F(MprisTest, CanPropertiesFollowThePlaylistAndOpenUriPlaysAFileAsOpenDoes) {
    // No folders: nothing for next and previous to start, nothing loaded to play.
    writeFolders({});
    program->requestScan();
    EXPECT_TRUE(announced("CanGoNext", false));
    EXPECT_TRUE(announced("CanGoPrevious", false));
    EXPECT_TRUE(getProperty("CanPlay").contains("boolean false"));
    playerCall("Next");
    MediaPlayer& player = *mainWindow().player();
    EXPECT_TRUE(player.fileName().isEmpty());

    // Nothing loaded yet: Play starts the first step, as the next glyph does; Pause has
    // nothing to act on.
    writeFolders({fixture("folders/A")});
    program->requestScan();
    EXPECT_TRUE(announced("CanGoNext", true));
    EXPECT_TRUE(announced("CanGoPrevious", true));
    EXPECT_TRUE(announced("CanPlay", true));
    EXPECT_TRUE(getProperty("CanPause").contains("boolean false"));
    playerCall("Play");
    EXPECT_TRUE(announcedTitle("a_300hz_2s"));
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);
    EXPECT_TRUE(announced("CanPause", true));

    // A file manager sends a Latin-1 name's byte encoded as it is; the address told back is
    // the same, and the title is the tag's, as for an entry of the playlist.
    const QByteArray latin1 = QFile::encodeName(folder.path()) + "/M\xe4rchen";
    ASSERT_EQ(::mkdir(latin1.constData(), 0700), 0);
    const auto removal = qScopeGuard([&] { std::filesystem::remove_all(latin1.toStdString()); });
    std::filesystem::copy_file(QFile::encodeName(taggedTone880).toStdString(),
                               QByteArray(latin1 + "/b.mp3").toStdString());
    const QString url =
        QUrl::fromLocalFile(folder.path()).toString(QUrl::FullyEncoded) + "/M%E4rchen/b.mp3";
    playerCall("OpenUri", {"string:" + url});
    EXPECT_TRUE(waitUntil([&] { return player.fileName() == decodeFileName(latin1 + "/b.mp3"); }));
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);
    EXPECT_EQ(label("titleMarquee")->caption(), "b.mp3");
    EXPECT_TRUE(waitUntil([&] {
        return metadata().value("xesam:url") == url &&
               metadata().value("xesam:title") == "Erster Titel";
    }));

    // Refused, the file stays as it was, here paused.
    playerCall("Pause");
    const QString kept = player.fileName();
    makeFiles("folder.mp3", {"notes.txt"});
    for (const QString& refused : {QStringLiteral("http://example.org/song.mp3"),
                                   QUrl::fromLocalFile(folder.filePath("missing.mp3")).toString(),
                                   QUrl::fromLocalFile(folder.filePath("folder.mp3")).toString(),
                                   QUrl::fromLocalFile(notAudio).toString()}) {
        send(kPlayer + ".OpenUri", {"string:" + refused}, false);
        EXPECT_EQ(player.fileName(), kept) << refused.toStdString();
        EXPECT_EQ(player.playState(), MediaPlayer::kPaused) << refused.toStdString();
    }
}

// Each track is told once with its length and tags, also those that run in at the end of the
// one before.
TEST_F(MprisTest, EachTrackIsAnnouncedOnceWithItsLengthAndTags) {
    model().fillPlaylist({{"440", tone440}, {"Probe", taggedTone880}, {"550", longTone550}},
                         {1, 2, 3});
    playerCall("Next");
    ASSERT_TRUE(announcedTitle("550"));
    playerCall("Pause");
    ASSERT_TRUE(announced("PlaybackStatus", "Paused"));

    QList<QVariantMap> tracks;
    for (const QVariantMap& changed : listener.announcements) {
        if (changed.contains("Metadata")) {
            tracks << qdbus_cast<QVariantMap>(changed.value("Metadata"));
        }
    }
    ASSERT_EQ(tracks.size(), 3);
    const QVariantMap& tagged = tracks[1];
    EXPECT_EQ(tagged.value("xesam:title"), "Erster Titel");  // the tag's, not the list's
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
