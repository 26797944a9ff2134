// Time to sound and memory while playing, beside mpv as the yardstick. From starting the binary
// with an MP3 argument to the sound server reporting its new stream ("new sink-input" in
// `pactl subscribe`), for the player and for `mpv --no-video --no-config` on the same file; then,
// in the same runs, the private dirty memory of the whole process tree after some seconds of
// playing (smaps_rollup), and the time to the player's main window being mapped, which the
// engine's start beside it must not hold up. Last, the player alone: from a click on "Nächster
// Track" shortly after a fresh start (the playlist scanned, the engine opened after the first
// paint) to its stream. Runs alternate between the two, so a busy moment of the machine hits
// both alike; medians are printed. Needs an X display and the sound server with a null sink
// (bench/run provides both), and sox, lame, pactl, xdotool and mpv. Prints the figures; it
// asserts nothing.
//
// usage: bench_sound [PLAYER_BINARY]

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "LaunchedProgram.h"
#include "TopLevelMapWatcher.h"

namespace {

namespace fs = std::filesystem;
using bramble::bench::LaunchedProgram;
using bramble::bench::runCommand;
using bramble::bench::TemporaryProgramFolder;
using bramble::bench::ToneFolder;
using bramble::testsupport::TopLevelMapWatcher;
using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int kRuns = 7;
constexpr int kSongSeconds = 240;
constexpr auto kStreamTimeout = std::chrono::seconds(10);
// How long a run plays before its memory is read: past the opening, into steady playing.
constexpr auto kPlayingBeforeMemory = std::chrono::seconds(4);
// The centre of "Nächster Track" (nextButton) in the main window, in pixels at 96 DPI.
constexpr int kNextButtonX = 281;
constexpr int kNextButtonY = 60;

// The sound server's announcements as `pactl subscribe` prints them, line by line, each with the
// moment it was read.
class ServerEvents {
public:
    ServerEvents() {
        std::array<int, 2> pipeEnds{};
        if (pipe(pipeEnds.data()) != 0) {
            throw std::runtime_error("pipe failed");
        }
        pid_ = fork();
        if (pid_ < 0) {
            throw std::runtime_error("fork failed");
        }
        if (pid_ == 0) {
            dup2(pipeEnds[1], STDOUT_FILENO);
            const int devNull = open("/dev/null", O_WRONLY);
            if (devNull >= 0) {
                dup2(devNull, STDERR_FILENO);  // its farewell at SIGTERM
            }
            close(pipeEnds[0]);
            close(pipeEnds[1]);
            execlp("pactl", "pactl", "subscribe", nullptr);
            _exit(127);
        }
        close(pipeEnds[1]);
        fd_ = pipeEnds[0];
        // Subscribed once a change of the sink comes through: muteButton it and back makes two.
        for (int attempt = 0; attempt < 50; ++attempt) {
            runCommand("pactl set-sink-mute @DEFAULT_SINK@ toggle");
            runCommand("pactl set-sink-mute @DEFAULT_SINK@ toggle");
            if (waitFor("' on sink #", std::chrono::milliseconds(100))) {
                forget();
                return;
            }
        }
        throw std::runtime_error("pactl subscribe reports nothing");
    }
    ~ServerEvents() {
        close(fd_);
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    ServerEvents(const ServerEvents&) = delete;
    ServerEvents& operator=(const ServerEvents&) = delete;

    // Drops what has come in so far.
    void forget() {
        while (readSome(std::chrono::milliseconds(50))) {
        }
        lines_.clear();
        partial_.clear();
    }

    // When the first line holding `text` came, or nothing within the timeout.
    std::optional<Clock::time_point> waitFor(const std::string& text,
                                             std::chrono::milliseconds timeout) {
        const auto deadline = Clock::now() + timeout;
        while (true) {
            for (auto line = lines_.begin(); line != lines_.end(); ++line) {
                if (line->first.find(text) != std::string::npos) {
                    const Clock::time_point seen = line->second;
                    lines_.erase(lines_.begin(), line + 1);
                    return seen;
                }
            }
            lines_.clear();
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0 || !readSome(left)) {
                return std::nullopt;
            }
        }
    }

    std::optional<Clock::time_point> waitForNewStream() {
        return waitFor("'new' on sink-input", kStreamTimeout);
    }

private:
    // Reads what is there within the timeout; false when nothing came.
    bool readSome(std::chrono::milliseconds timeout) {
        pollfd poller{fd_, POLLIN, 0};
        if (poll(&poller, 1, static_cast<int>(timeout.count())) <= 0) {
            return false;
        }
        const Clock::time_point now = Clock::now();
        std::array<char, 4096> buffer{};
        const ssize_t got = read(fd_, buffer.data(), buffer.size());
        if (got <= 0) {
            throw std::runtime_error("pactl subscribe ended");
        }
        partial_.append(buffer.data(), static_cast<std::size_t>(got));
        std::size_t end = 0;
        while ((end = partial_.find('\n')) != std::string::npos) {
            lines_.emplace_back(partial_.substr(0, end), now);
            partial_.erase(0, end + 1);
        }
        return true;
    }

    pid_t pid_ = -1;
    int fd_ = -1;
    std::string partial_;
    std::vector<std::pair<std::string, Clock::time_point>> lines_;
};

// The process and all its descendants.
std::vector<pid_t> processTree(pid_t root) {
    std::vector<std::pair<pid_t, pid_t>> parents;  // (pid, parent)
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        std::getline(stat, line);
        // pid (comm) state ppid ...: comm may hold spaces and parentheses, the last ')' ends it.
        const std::size_t close = line.rfind(')');
        if (close == std::string::npos) {
            continue;
        }
        char state = 0;
        pid_t parent = 0;
        if (std::sscanf(line.c_str() + close + 1, " %c %d", &state, &parent) == 2) {
            parents.emplace_back(std::stoi(name), parent);
        }
    }
    std::vector<pid_t> tree{root};
    for (std::size_t i = 0; i < tree.size(); ++i) {
        for (const auto& [pid, parent] : parents) {
            if (parent == tree[i]) {
                tree.push_back(pid);
            }
        }
    }
    return tree;
}

// Private dirty memory of the process tree in MB (2^20 bytes).
double privateDirtyMegabytes(pid_t root) {
    long kilobytes = 0;
    for (const pid_t pid : processTree(root)) {
        std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
        const std::string key = "Private_Dirty:";
        std::string line;
        while (std::getline(rollup, line)) {
            if (line.rfind(key, 0) == 0) {
                kilobytes += std::stol(line.substr(key.size()));
            }
        }
    }
    return static_cast<double>(kilobytes) / 1024.0;
}

struct Samples {
    std::vector<double> toSound;
    std::vector<double> memory;
    std::vector<double> toWindow;  // the player's main window, mapped
};

// Starts the program on the file, times it to its stream (and, given a window title, to that
// window being mapped, watched on a thread of its own meanwhile), lets it play and reads its
// memory.
void soundRun(ServerEvents& events, const fs::path& executable,
              const std::vector<std::string>& arguments, const std::string& windowTitle,
              Samples& samples, bool counted) {
    events.forget();
    TopLevelMapWatcher watcher;
    const auto start = Clock::now();
    const LaunchedProgram program(executable, arguments);
    std::optional<bramble::testsupport::MappedWindow> window;
    std::jthread windowWatch;  // joined however this ends
    if (!windowTitle.empty()) {
        windowWatch = std::jthread([&] {
            try {
                window = watcher.waitForWindow(program.pid(), windowTitle, kStreamTimeout);
            } catch (const std::exception&) {
                // told below as no window
            }
        });
    }
    const auto stream = events.waitForNewStream();
    if (windowWatch.joinable()) {
        windowWatch.join();
    }
    if (!stream) {
        throw std::runtime_error(executable.filename().string() + " made no stream");
    }
    if (!windowTitle.empty() && !window) {
        throw std::runtime_error(executable.filename().string() + " mapped no main window");
    }
    std::this_thread::sleep_for(kPlayingBeforeMemory);
    if (!program.running()) {
        throw std::runtime_error(executable.filename().string() + " ended while playing");
    }
    if (counted) {
        samples.toSound.push_back(Milliseconds(*stream - start).count());
        samples.memory.push_back(privateDirtyMegabytes(program.pid()));
        if (window) {
            samples.toWindow.push_back(Milliseconds(window->seenAt - start).count());
        }
    }
}

// From a click on "Nächster Track", a second after the window came (the saved folder holds the
// song, and the scan has put it in the playlist), to the stream; xdotool's own start included.
double clickToSound(ServerEvents& events, const fs::path& playerBinary, const ToneFolder& song) {
    TopLevelMapWatcher watcher;
    const TemporaryProgramFolder folder(playerBinary);
    std::ofstream(folder.executable().parent_path() / "folders.dat")
        << song.folder().string() << "\r\n";
    const LaunchedProgram player(folder.executable());
    const auto window =
        watcher.waitForWindow(player.pid(), "MP3-Brambleplayer", std::chrono::seconds(20));
    if (!window) {
        throw std::runtime_error("the player mapped no main window");
    }
    runCommand("xdotool mousemove --window " + std::to_string(window->id) + " " +
               std::to_string(kNextButtonX) + " " + std::to_string(kNextButtonY));
    std::this_thread::sleep_for(std::chrono::seconds(1));
    events.forget();
    const auto start = Clock::now();
    // Not waited for: xdotool lingers some 100 ms after the click, while the stream may come.
    const LaunchedProgram click("xdotool", {"click", "1"});
    const auto stream = events.waitForNewStream();
    if (!stream) {
        throw std::runtime_error("the player made no stream after the click");
    }
    return Milliseconds(*stream - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void printLine(const char* label, const std::vector<double>& values, const char* unit) {
    const auto [least, most] = std::minmax_element(values.begin(), values.end());
    std::printf("  %-34s median %7.1f %s   (min %7.1f, max %7.1f)\n", label, median(values), unit,
                *least, *most);
}

}  // namespace

int main(int argc, char* argv[]) {
    const fs::path playerBinary = argc > 1 ? argv[1] : BRAMBLE_PLAYER_BINARY;
    try {
        const ToneFolder song(kSongSeconds);
        // Without a reader that keeps pace, the null sink takes two seconds of sound at once.
        const LaunchedProgram pacer("parec", {"-d", "nullsink.monitor", "--latency-msec=20"});
        ServerEvents events;
        const TemporaryProgramFolder playerFolder(playerBinary);
        const std::string file = song.file().string();
        Samples player;
        Samples mpv;
        // One run of each that is not counted, so that both find their libraries in the page
        // cache.
        for (int run = -1; run < kRuns; ++run) {
            soundRun(events, playerFolder.executable(), {file}, "MP3-Brambleplayer", player,
                     run >= 0);
            soundRun(events, "mpv", {"--no-video", "--no-config", file}, {}, mpv, run >= 0);
        }
        std::vector<double> clicks;
        for (int run = 0; run < kRuns; ++run) {
            clicks.push_back(clickToSound(events, playerBinary, song));
        }

        std::printf(
            "From starting the binary with an MP3 argument to its stream on the sound "
            "server, %d runs each:\n",
            kRuns);
        printLine("brambleplayer FILE", player.toSound, "ms");
        printLine("mpv --no-video --no-config FILE", mpv.toSound, "ms");
        std::printf("  ratio player / mpv: %.2f\n", median(player.toSound) / median(mpv.toSound));
        printLine("the player's main window mapped", player.toWindow, "ms");
        std::printf("Private dirty memory of the process tree, %lld s into playing that file:\n",
                    static_cast<long long>(kPlayingBeforeMemory.count()));
        printLine("brambleplayer", player.memory, "MB");
        printLine("mpv --no-video --no-config", mpv.memory, "MB");
        std::printf("  ratio player / mpv: %.2f\n", median(player.memory) / median(mpv.memory));
        std::printf(
            "From a click on \"Nächster Track\" a second after a fresh start to the "
            "stream,\nxdotool's own start included, %d runs:\n",
            kRuns);
        printLine("brambleplayer", clicks, "ms");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_sound: %s\n", error.what());
        return 1;
    }
    return 0;
}
