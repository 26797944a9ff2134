#include <alsa/asoundlib.h>
#include <signal.h>

#include <QProcess>

#include "MpvTestSupport.h"
#include "mainwindow/PositionBar.h"
#include "mainwindow/VolumeControl.h"
#include "platform/AlsaMixer.h"

namespace {

// The pid of the test run's private sound server (tools/headless-env.sh), never a user's
// own; 0 when there is none.
pid_t privateSoundServer() {
    QFile file(qEnvironmentVariable("XDG_RUNTIME_DIR") + "/pulse/pid");
    const pid_t pid =
        qEnvironmentVariableIsSet("BRAMBLE_PULSE_CONFIG") && file.open(QIODevice::ReadOnly)
            ? file.readAll().trimmed().toInt()
            : 0;
    return pid > 0 && kill(pid, 0) == 0 ? pid : 0;
}

class SoundServerTest : public RealPlayersFixture {
protected:
    void SetUp() override {
        server = privateSoundServer();
        if (server == 0) {
            GTEST_SKIP() << "no private sound server: ./test starts one";
        }
        // Other tests record at full volume.
        pactl({"set-sink-volume", "@DEFAULT_SINK@", "100%"});
    }
    void TearDown() override {
        if (server != 0) {
            kill(server, SIGCONT);
            pactl({"set-sink-volume", "@DEFAULT_SINK@", "100%"});
        }
    }
    // As a desktop starts it after a crash or an update, or late in a session.
    void startServerAnew() {
        ASSERT_EQ(QProcess::execute("sh", {"-c",
                                           "env -u DISPLAY pulseaudio --daemonize=yes -n "
                                           "--exit-idle-time=-1 -F \"$BRAMBLE_PULSE_CONFIG\" "
                                           "--log-target=file:\"$XDG_RUNTIME_DIR/restart.log\""}),
                  0);
        server = privateSoundServer();
    }
    void endServer() {
        kill(server, SIGTERM);
        ASSERT_TRUE(waitUntil([this] { return kill(server, 0) != 0; }));
    }

    pid_t server = 0;
    AlsaMixer alsa;
};

// With no volume stored, the slider shows the sink's level once the mixer answers, and a step
// goes on from there.
TEST_F(SoundServerTest, WithoutAStoredVolumeTheSliderStartsAtTheSinksLevel) {
    pactl({"set-sink-volume", "@DEFAULT_SINK@", "35%"});
    mixer->setReal(&alsa);
    start();
    EXPECT_TRUE(waitUntil([this] { return std::get<2>(readOut(label("volumeThumb"))) == 35; }));
    actions().volumeUp5.trigger();
    EXPECT_TRUE(sinkReaches(40));
}

// The server stops while a track plays: the window goes on (timers, position, tray menu,
// options dialog), though pausing reaches the server only when it continues.
TEST_F(SoundServerTest, AServerStoppedDuringPlaybackLeavesTheWindowAnswering) {
    tray->hostRunning = true;
    start();
    MediaPlayer& player = *mainWindow().player();
    model().fillPlaylist({{"550", longTone550}}, {1});
    click("nextButton");
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 0.3; }));

    kill(server, SIGSTOP);
    // Continues the server after a while, should the test itself hang on it, and leaves a mark.
    const QString rescued = folder.filePath("rescued");
    QProcess rescue;
    rescue.start("sh",
                 {"-c", QString("sleep 20; kill -CONT %1; touch %2").arg(server).arg(rescued)});
    click("pauseButton");
    mainWindow().position().showPosition();
    tray->send(TrayIcon::Event::MenuRequested);
    EXPECT_TRUE(control<QMenu>("trayMenu")->isVisible());
    control<QMenu>("trayMenu")->close();
    click("optionsButton");  // "Options"
    EXPECT_TRUE(opts().isVisible());
    runEventsFor(500);
    EXPECT_FALSE(QFile::exists(rescued)) << "the window waited for the stopped sound server";
    rescue.close();
    EXPECT_EQ(label("clock")->caption().right(4), QStringLiteral("0:04"));
}

// The window comes up without the server; once it goes on the slider drives its sink (and not
// its source), the change made meanwhile first. When the server restarts under a playing track,
// the next volume change reaches the new server, and the track is heard again where it was.
TEST_F(SoundServerTest, AServerStoppedAtStartUpOrRestartedLaterIsDrivenByTheSlider) {
    const std::optional<QString> sourceBefore = pactl({"get-source-volume", "@DEFAULT_SOURCE@"});
    kill(server, SIGSTOP);
    mixer->setReal(&alsa);
    start();
    ASSERT_TRUE(waitUntil([this] { return mixer->opens > 0; }));  // once painted
    EXPECT_TRUE(mainWindow().isVisible());
    mainWindow().volume().nudgeToShare(0.5);
    kill(server, SIGCONT);
    EXPECT_TRUE(sinkReaches(50));
    // PulseAudio's Master runs 0..65536: half of it, held to 16 bits, is the slider's length.
    EXPECT_TRUE(waitUntil([this] { return program->settings().volumeSpan() == 32767; }));
    mainWindow().volume().nudgeToShare(0.25);
    EXPECT_TRUE(sinkReaches(25));
    EXPECT_EQ(pactl({"get-source-volume", "@DEFAULT_SOURCE@"}), sourceBefore);

    ASSERT_TRUE(
        waitUntil([this] { return alsa.volumeControl(Mixer::Line::Speakers).has_value(); }));
    MediaPlayer& player = *mainWindow().player();
    player.setFileName(longTone770);
    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 0.5; }));

    endServer();
    startServerAnew();
    const double restartedAt = player.currentPosition();
    const Listening listening;  // and a reader in step with the clock, in place of the run's own
    ASSERT_TRUE(listening.on()) << listening.why.toStdString();

    mainWindow().volume().nudgeToShare(0.5);
    EXPECT_TRUE(sinkReaches(50));
    EXPECT_TRUE(waitUntil([&] {
        const Heard heard = listening.heard(false);
        return !heard.tones.empty() && std::abs(heard.tones.back().first - 770) < 30 &&
               heard.tones.back().second > 0.5;
    }));
    EXPECT_EQ(player.fileName(), longTone770);
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);
    EXPECT_GT(player.currentPosition(), restartedAt);
}

}  // namespace
