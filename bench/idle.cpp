// CPU use of the player when idle and when playing. Idle: nothing loaded, window up, nobody
// touching it; its only business then is its timers, and this shows whether they cost anything.
// Playing: an MP3 of a song's usual length plays for 10 s, beside `mpv --no-video --no-config`
// playing the same file for the same time in the same run; then, as the worst case for the
// position display, a 20 s MP3, whose notch moves a pixel at every tick. Last, how the window
// answers while the sound server has stopped (SIGSTOP) under a playing track: from a click on
// "Options", after one on pause, to the options dialog being mapped. Needs an X display and the
// sound server with a null sink (bench/run provides both), and sox, lame, xdotool, pactl, parec and
// mpv. Prints the figures; it asserts nothing. With --accessibility, run on a session bus, it
// measures instead the player idle and playing with the accessibility bridge forced on and no
// screen reader listening, beside the same without the bridge.
//
// usage: bench_idle [PLAYER_BINARY] [--idle-only | --accessibility]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "LaunchedProgram.h"
#include "TopLevelMapWatcher.h"

namespace {

namespace fs = std::filesystem;
using bramble::bench::LaunchedProgram;
using bramble::bench::runCommand;
using bramble::bench::soundServer;
using bramble::bench::StoppedServer;
using bramble::bench::TemporaryProgramFolder;
using bramble::bench::ToneFolder;
using bramble::testsupport::TopLevelMapWatcher;

constexpr auto kSettleTime = std::chrono::seconds(2);
constexpr auto kMeasureTime = std::chrono::seconds(10);
constexpr double kTargetCpuSeconds = 0.05;
constexpr int kSongSeconds = 240;
constexpr int kShortSeconds = 20;
// The centres of "Nächster Track" (nextButton) and "Pause" (pauseButton) in the main window, in
// pixels at 96 DPI.
constexpr int kNextButtonX = 281;
constexpr int kNextButtonY = 60;
constexpr int kPauseButtonX = 217;
// The centre of "Options" (optionsButton).
constexpr int kOptionsButtonX = 357;
constexpr int kOptionsButtonY = 127;
// settings.cfg with the quick-info popup shown at each track and kept ("Immer anzeigen").
constexpr const char* kPopupStaysSettings = " 1 \r\n 1 \r\n 0 \r\n\r\n 1 \r\n 1 \r\n 0 \r\n";

// Time all threads of the process have spent on a processor so far, in seconds. The scheduler
// counts it in nanoseconds, where /proc/PID/stat only has clock ticks of 10 ms.
std::optional<double> cpuSeconds(pid_t pid) {
    const fs::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    fs::directory_iterator threads(tasks, error);
    if (error) {
        return std::nullopt;
    }
    double nanoseconds = 0;
    for (const auto& thread : threads) {
        std::ifstream schedstat(thread.path() / "schedstat");
        double onCpu = 0;
        if (schedstat >> onCpu) {
            nanoseconds += onCpu;
        }
    }
    return nanoseconds / 1e9;
}

// Times the main thread gave up the processor, a count of its wake-ups.
std::optional<long> voluntarySwitches(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    const std::string key = "voluntary_ctxt_switches:";
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0) {
            return std::stol(line.substr(key.size()));
        }
    }
    return std::nullopt;
}

struct Usage {
    double cpuSeconds = 0;
    double wakeupsPerSecond = 0;
};

// Settles, then measures the process for kMeasureTime; throws when it ends meanwhile.
Usage measure(const LaunchedProgram& program, const char* what) {
    std::this_thread::sleep_for(kSettleTime);
    const auto cpuBefore = cpuSeconds(program.pid());
    const auto switchesBefore = voluntarySwitches(program.pid());
    std::this_thread::sleep_for(kMeasureTime);
    const auto cpuAfter = cpuSeconds(program.pid());
    const auto switchesAfter = voluntarySwitches(program.pid());
    if (!program.running() || !cpuBefore || !cpuAfter || !switchesBefore || !switchesAfter) {
        throw std::runtime_error(std::string(what) + " ended while being measured");
    }
    const double seconds = std::chrono::duration<double>(kMeasureTime).count();
    return {*cpuAfter - *cpuBefore,
            static_cast<double>(*switchesAfter - *switchesBefore) / seconds};
}

// True once the sound server plays a stream of the process.
bool waitForStream(pid_t pid) {
    const std::string command =
        "pactl list sink-inputs 2>/dev/null | grep -q "
        "'application.process.id = \"" +
        std::to_string(pid) + "\"'";
    for (int i = 0; i < 100; ++i) {
        if (std::system(command.c_str()) == 0) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

Usage playerIdle(const fs::path& playerBinary) {
    TopLevelMapWatcher watcher;
    const TemporaryProgramFolder folder(playerBinary);
    const LaunchedProgram player(folder.executable());
    if (!watcher.waitForWindow(player.pid(), "MP3-Brambleplayer", std::chrono::seconds(20))) {
        throw std::runtime_error("the player mapped no main window");
    }
    return measure(player, "the idle player");
}

void idleRun(const fs::path& playerBinary) {
    const Usage idle = playerIdle(playerBinary);
    std::printf("Idle player, %.0f s after %.0f s of settling, nothing loaded:\n",
                std::chrono::duration<double>(kMeasureTime).count(),
                std::chrono::duration<double>(kSettleTime).count());
    std::printf("  CPU time (all threads):   %.3f s   (target: under %.2f s)\n", idle.cpuSeconds,
                kTargetCpuSeconds);
    std::printf("  main thread wake-ups:     %.1f per second\n", idle.wakeupsPerSecond);
}

void click(const bramble::testsupport::MappedWindow& window, int x, int y) {
    runCommand("xdotool mousemove --window " + std::to_string(window.id) + " " + std::to_string(x) +
               " " + std::to_string(y) + " click 1");
}

// A player in a program folder of its own whose saved folder list holds the tone.
struct TonePlayer {
    TonePlayer(const fs::path& playerBinary, const ToneFolder& tone, const char* settings)
        : folder(playerBinary) {
        const fs::path programFolder = folder.executable().parent_path();
        // The saved folder list: the scan puts the tone in the playlist.
        std::ofstream(programFolder / "folders.dat") << tone.folder().string() << "\r\n";
        if (settings != nullptr) {
            std::ofstream(programFolder / "settings.cfg", std::ios::binary) << settings;
        }
        program.emplace(folder.executable());
        window =
            watcher.waitForWindow(program->pid(), "MP3-Brambleplayer", std::chrono::seconds(20));
        if (!window) {
            throw std::runtime_error("the player mapped no main window");
        }
    }
    // "Nächster Track": the first track of the playlist plays.
    void playFirstTrack() {
        std::this_thread::sleep_for(std::chrono::seconds(1));  // the scan runs 200 ms after start
        click(*window, kNextButtonX, kNextButtonY);
        if (!waitForStream(program->pid())) {
            throw std::runtime_error("the player did not start playing");
        }
    }

    TopLevelMapWatcher watcher;
    TemporaryProgramFolder folder;
    std::optional<LaunchedProgram> program;
    std::optional<bramble::testsupport::MappedWindow> window;
};

// With popupStays, the quick-info popup comes at the start of the track and stays, and the
// track is paused before the measurement: nothing plays, the popup holds.
Usage playerPlaying(const fs::path& playerBinary, const ToneFolder& tone, bool popupStays = false) {
    TonePlayer player(playerBinary, tone, popupStays ? kPopupStaysSettings : nullptr);
    player.playFirstTrack();
    if (popupStays) {
        if (!player.watcher.waitForWindow(player.program->pid(), "Trackinfo",
                                          std::chrono::seconds(5))) {
            throw std::runtime_error("the player showed no quick-info popup");
        }
        click(*player.window, kPauseButtonX, kNextButtonY);
    }
    return measure(*player.program, "the playing player");
}

Usage mpvPlaying(const ToneFolder& tone) {
    const LaunchedProgram mpv("mpv", {"--no-video", "--no-config", tone.file().string()});
    if (!waitForStream(mpv.pid())) {
        throw std::runtime_error("mpv did not start playing");
    }
    return measure(mpv, "mpv");
}

// Milliseconds from a click on "Options" to the options dialog being mapped, after a click on
// pause, with the sound server stopped under the playing track when a server is given; nothing
// when no dialog came within 20 s.
std::optional<double> optionsAfterPause(const fs::path& playerBinary, const ToneFolder& tone,
                                        std::optional<pid_t> serverToStop) {
    TonePlayer player(playerBinary, tone, nullptr);
    player.playFirstTrack();
    std::optional<StoppedServer> stopped;
    if (serverToStop) {
        stopped.emplace(*serverToStop);
    }
    click(*player.window, kPauseButtonX, kNextButtonY);
    runCommand("xdotool mousemove --window " + std::to_string(player.window->id) + " " +
               std::to_string(kOptionsButtonX) + " " + std::to_string(kOptionsButtonY));
    const auto start = std::chrono::steady_clock::now();
    // Not waited for: xdotool lingers some 100 ms after the click, while the dialog may come.
    const LaunchedProgram optionsClick("xdotool", {"click", "1"});
    const auto mapped =
        player.watcher.waitForWindow(player.program->pid(), "Optionen", std::chrono::seconds(20));
    if (!mapped) {
        return std::nullopt;
    }
    return std::chrono::duration<double, std::milli>(mapped->seenAt - start).count();
}

void playingRun(const fs::path& playerBinary) {
    const ToneFolder song(kSongSeconds);
    const ToneFolder shortTone(kShortSeconds);
    // Without a reader that keeps pace, the null sink takes two seconds of sound at once.
    const LaunchedProgram pacer("parec", {"-d", "nullsink.monitor", "--latency-msec=20"});
    const Usage player = playerPlaying(playerBinary, song);
    const Usage mpv = mpvPlaying(song);
    const Usage playerShort = playerPlaying(playerBinary, shortTone);
    const Usage popupHolding = playerPlaying(playerBinary, song, true);
    std::printf("Playing an MP3 (stereo, 128 kbit/s), %.0f s after %.0f s of settling:\n",
                std::chrono::duration<double>(kMeasureTime).count(),
                std::chrono::duration<double>(kSettleTime).count());
    std::printf(
        "  player CPU time (all threads), %d s file:   %.3f s   (main thread wakes %.1f/s)\n",
        kSongSeconds, player.cpuSeconds, player.wakeupsPerSecond);
    std::printf("  mpv --no-video --no-config, same file:      %.3f s\n", mpv.cpuSeconds);
    std::printf("  ratio player / mpv:                         %.2f   (target: at most 1)\n",
                mpv.cpuSeconds > 0 ? player.cpuSeconds / mpv.cpuSeconds : 0.0);
    std::printf("  player, %d s file (notch moves each tick):  %.3f s   (ratio to mpv %.2f)\n",
                kShortSeconds, playerShort.cpuSeconds,
                mpv.cpuSeconds > 0 ? playerShort.cpuSeconds / mpv.cpuSeconds : 0.0);
    std::printf("Quick-info popup holding (\"Immer anzeigen\"), track paused, %.0f s:\n",
                std::chrono::duration<double>(kMeasureTime).count());
    std::printf(
        "  player CPU time (all threads):              %.3f s   (main thread wakes %.1f/s)\n",
        popupHolding.cpuSeconds, popupHolding.wakeupsPerSecond);

    const std::optional<pid_t> server = soundServer();
    if (!server) {
        std::printf("(no sound server runs: the window with a stopped one is left out)\n");
        return;
    }
    std::printf(
        "From a click on \"Options\" (after one on pause) to its dialog being mapped,\n"
        "xdotool's own start included:\n");
    for (const bool stop : {false, true}) {
        const auto options =
            optionsAfterPause(playerBinary, song, stop ? server : std::optional<pid_t>());
        const char* const label =
            stop ? "sound server stopped under the track" : "sound server answering";
        if (options) {
            std::printf("  %-37s %7.1f ms%s\n", label, *options,
                        stop ? "   (aim: within 100 ms)" : "");
        } else {
            std::printf("  %-37s no dialog within 20 s\n", label);
        }
    }
}

// Qt's accessibility bridge, forced on for the players started while it lives: it then
// publishes the windows on the accessibility bus whether a screen reader listens or not.
class AccessibilityBridge {
public:
    AccessibilityBridge() { setenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1", 1); }
    ~AccessibilityBridge() { unsetenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"); }
    AccessibilityBridge(const AccessibilityBridge&) = delete;
    AccessibilityBridge& operator=(const AccessibilityBridge&) = delete;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void accessibilityRun(const fs::path& playerBinary) {
    constexpr int kRounds = 3;
    const ToneFolder song(kSongSeconds);
    const LaunchedProgram pacer("parec", {"-d", "nullsink.monitor", "--latency-msec=20"});
    const Usage idleWithout = playerIdle(playerBinary);
    const Usage idleWith = [&] {
        const AccessibilityBridge bridge;
        return playerIdle(playerBinary);
    }();
    // Rounds side by side, so that a busy moment of the machine hits both alike.
    std::vector<double> without;
    std::vector<double> with;
    for (int round = 0; round < kRounds; ++round) {
        without.push_back(playerPlaying(playerBinary, song).cpuSeconds);
        const AccessibilityBridge bridge;
        with.push_back(playerPlaying(playerBinary, song).cpuSeconds);
    }
    const double playingWithout = median(without);
    const double playingWith = median(with);
    std::printf("Accessibility bridge forced on, no screen reader listening, %.0f s each:\n",
                std::chrono::duration<double>(kMeasureTime).count());
    std::printf("  idle, CPU time without / with the bridge:    %.3f s / %.3f s\n",
                idleWithout.cpuSeconds, idleWith.cpuSeconds);
    std::printf("  playing a %d s file, median of %d, without:  %.3f s\n", kSongSeconds, kRounds,
                playingWithout);
    std::printf(
        "  playing, with the bridge:                     %.3f s   (ratio %.2f, target: "
        "at most 1.10)\n",
        playingWith, playingWithout > 0 ? playingWith / playingWithout : 0.0);
}

}  // namespace

int main(int argc, char* argv[]) {
    fs::path playerBinary = BRAMBLE_PLAYER_BINARY;
    bool idleOnly = false;
    bool accessibility = false;
    for (const std::string_view argument :
         std::span(argv, static_cast<std::size_t>(argc)).subspan(1)) {
        if (argument == "--idle-only") {
            idleOnly = true;
        } else if (argument == "--accessibility") {
            accessibility = true;
        } else {
            playerBinary = argument;
        }
    }
    try {
        if (accessibility) {
            accessibilityRun(playerBinary);
            return 0;
        }
        idleRun(playerBinary);
        if (idleOnly) {
            return 0;
        }
        std::printf("\n");
        playingRun(playerBinary);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_idle: %s\n", error.what());
        return 1;
    }
    return 0;
}
