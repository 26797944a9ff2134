#include <signal.h>

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "MpvTestSupport.h"
#include "platform/AlsaMixer.h"
#include "player/Form1.h"
#include "player/Position.h"
#include "player/Transport.h"
#include "player/Volume.h"
#include "windows/options.h"

namespace {

using bramble::testsupport::SinkPacer;
using bramble::testsupport::SinkRecorder;
using bramble::testsupport::toneRuns;

// The private sound server of the test run (tests/support/headless-env.sh), which these tests
// stop, continue and start anew. Never a user's own: without the private server's
// configuration there is nothing to find.
class PrivateSoundServer {
public:
    static std::optional<PrivateSoundServer> find() {
        const QString config = qEnvironmentVariable("BRAMBLE_PULSE_CONFIG");
        PrivateSoundServer server(config);
        if (config.isEmpty() || server.pid_ <= 0 || kill(server.pid_, 0) != 0) {
            return std::nullopt;
        }
        return server;
    }

    void stop() const { kill(pid_, SIGSTOP); }
    void resume() const { kill(pid_, SIGCONT); }

    // Ends the server and starts it anew, as a desktop does after a crash or an update.
    bool restart() {
        kill(pid_, SIGTERM);
        if (!waitUntil([this] { return kill(pid_, 0) != 0; })) {
            return false;
        }
        QProcess start;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));  // no X11 modules
        start.setProcessEnvironment(environment);
        start.start(
            QStringLiteral("pulseaudio"),
            {QStringLiteral("--daemonize=yes"), QStringLiteral("--exit-idle-time=-1"),
             QStringLiteral("--system=false"), QStringLiteral("-n"), QStringLiteral("-F"), config_,
             QStringLiteral("--log-target=file:") + runtimeDir().filePath("restart.log")});
        pid_ = 0;
        if (!start.waitForFinished(20000) || start.exitCode() != 0) {
            return false;
        }
        pid_ = readPid();
        return pid_ > 0;
    }

private:
    explicit PrivateSoundServer(QString config) : config_(std::move(config)), pid_(readPid()) {}
    static QDir runtimeDir() { return QDir(qEnvironmentVariable("XDG_RUNTIME_DIR")); }
    static pid_t readPid() {
        QFile file(runtimeDir().filePath(QStringLiteral("pulse/pid")));
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toInt() : 0;
    }

    QString config_;
    pid_t pid_ = 0;
};

// Continues a stopped server after a while, should the test itself hang on it.
class Rescue {
public:
    explicit Rescue(const PrivateSoundServer& server)
        : thread_([this, &server](const std::stop_token& stop) {
              std::mutex mutex;
              std::condition_variable_any never;
              std::unique_lock lock(mutex);
              never.wait_for(lock, stop, std::chrono::seconds(20), [] { return false; });
              if (!stop.stop_requested()) {
                  came_ = true;
                  server.resume();
              }
          }) {}
    bool came() const { return came_; }

private:
    std::atomic<bool> came_{false};
    std::jthread thread_;
};

class SoundServerTest : public RealPlayersFixture {
protected:
    void SetUp() override {
        server = PrivateSoundServer::find();
        if (!server) {
            GTEST_SKIP() << "no private sound server: ./test starts one";
        }
        // Other tests record at full volume.
        pactl({"set-sink-volume", "@DEFAULT_SINK@", "100%"});
    }
    void TearDown() override {
        if (server) {
            server->resume();
            pactl({"set-sink-volume", "@DEFAULT_SINK@", "100%"});
        }
    }
    // The real mixer behind the fake one, with the program started and the window up.
    void startWithRealMixer() {
        mixer->setReal(&alsa);
        start();
        ASSERT_TRUE(waitUntil([this] { return mixer->opens > 0; }));  // once painted
    }
    bool mixerAnswered() { return alsa.volumeControl(Mixer::Line::Speakers).has_value(); }

    std::optional<PrivateSoundServer> server;
    AlsaMixer alsa;
};

// The sound server answers nothing while the player starts: the window comes up without it,
// and once the server goes on the slider drives the mixer, the change made meanwhile first.
TEST_F(SoundServerTest, AServerStoppedAtStartUpIsDrivenByTheSliderOnceItContinues) {
    server->stop();
    startWithRealMixer();
    EXPECT_TRUE(form1().isVisible());
    form1().volume().nudgeToShare(0.5);
    server->resume();
    EXPECT_TRUE(waitUntil([] { return std::abs(sinkPercent() - 50) <= 1; }))
        << "the sink is at " << sinkPercent() << " %";
    form1().volume().nudgeToShare(0.25);
    EXPECT_TRUE(waitUntil([] { return std::abs(sinkPercent() - 25) <= 1; }))
        << "the sink is at " << sinkPercent() << " %";
}

// The server stops while a track plays: the window goes on (its timers fire, it repaints the
// position, the tray menu and the options dialog open), though pausing reaches a stopped
// server only when it continues.
TEST_F(SoundServerTest, AServerStoppedDuringPlaybackLeavesTheWindowAnswering) {
    tray->hostRunning = true;
    start();
    MediaPlayer& player = *form1().player();
    player.setFileName(longTone550);
    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 0.3; }));

    server->stop();
    const Rescue rescue(*server);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(20);
    form1().transport().btnpause_Click();
    form1().position().SeekTick();
    tray->send(TrayIcon::kContextRequest);
    EXPECT_TRUE(control<QMenu>("mnusystemtray")->isVisible());
    control<QMenu>("mnusystemtray")->close();
    QTest::mouseClick(control<SkinLabel>("Label5"), Qt::LeftButton);  // "Options"
    EXPECT_TRUE(program->optionsWindow().isVisible());
    EXPECT_TRUE(waitUntil([&] { return ticks >= 25; }));
    EXPECT_FALSE(rescue.came()) << "the window waited for the stopped sound server";
    EXPECT_EQ(control<SkinLabel>("lbltime")->caption().right(4), QStringLiteral("0:04"));
}

// The server restarts under a playing track: the next volume change reaches the new server's
// sink, and the track is heard again, where it was, without anyone doing anything.
TEST_F(SoundServerTest, AfterARestartTheVolumeReachesTheNewServerAndTheTrackIsHeardAgain) {
    startWithRealMixer();
    ASSERT_TRUE(waitUntil([this] { return mixerAnswered(); }));
    MediaPlayer& player = *form1().player();
    player.setFileName(longTone770);
    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 0.5; }));

    ASSERT_TRUE(server->restart());
    const double restartedAt = player.currentPosition();
    QString noSink;
    const QString monitor = SinkRecorder::nullSinkMonitor(&noSink);
    ASSERT_FALSE(monitor.isEmpty()) << noSink.toStdString();
    const SinkPacer pacer(monitor);  // the one of the test run went with the old server
    SinkRecorder recorder;
    ASSERT_TRUE(recorder.start(monitor));
    ASSERT_TRUE(recorder.waitUntilRecording());

    form1().volume().nudgeToShare(0.5);
    EXPECT_TRUE(waitUntil([] { return std::abs(sinkPercent() - 50) <= 1; }))
        << "the sink is at " << sinkPercent() << " %";
    const auto heard = [&] {
        const std::vector<ToneRun> runs = toneRuns(recorder.samples());
        return std::any_of(runs.begin(), runs.end(), [](const ToneRun& run) {
            return std::abs(run.frequency - 770.0) < 30.0 && run.seconds > 0.5;
        });
    };
    EXPECT_TRUE(waitUntil(heard));
    EXPECT_EQ(player.fileName(), longTone770);
    EXPECT_EQ(player.playState(), MediaPlayer::kPlaying);
    EXPECT_GT(player.currentPosition(), restartedAt);
}

}  // namespace
