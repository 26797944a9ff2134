// CPU use of an idle player: nothing loaded, window up, nobody touching it. The player's only
// business then is its timers; this shows whether they cost anything. Needs an X display
// (bench/run provides one). Prints the figures; it asserts nothing.
//
// usage: bench_idle [PLAYER_BINARY]

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "LaunchedProgram.h"
#include "TopLevelMapWatcher.h"

namespace {

using bramble::bench::LaunchedProgram;
using bramble::bench::TemporaryProgramFolder;
using bramble::testsupport::TopLevelMapWatcher;

constexpr auto kSettleTime = std::chrono::seconds(2);
constexpr auto kIdleTime = std::chrono::seconds(10);
constexpr double kTargetCpuSeconds = 0.05;

// Time all threads of the process have spent on a processor so far, in seconds. The scheduler
// counts it in nanoseconds, where /proc/PID/stat only has clock ticks of 10 ms.
std::optional<double> cpuSeconds(pid_t pid) {
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    std::filesystem::directory_iterator threads(tasks, error);
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

}  // namespace

int main(int argc, char* argv[]) {
    const std::filesystem::path playerBinary = argc > 1 ? argv[1] : BRAMBLE_PLAYER_BINARY;
    try {
        TopLevelMapWatcher watcher;
        const TemporaryProgramFolder folder(playerBinary);
        const LaunchedProgram player(folder.executable());
        if (!watcher.waitForWindow(player.pid(), "MP3-Brambleplayer", std::chrono::seconds(20))) {
            std::fprintf(stderr, "bench_idle: the player mapped no main window\n");
            return 1;
        }
        std::this_thread::sleep_for(kSettleTime);
        const auto cpuBefore = cpuSeconds(player.pid());
        const auto switchesBefore = voluntarySwitches(player.pid());
        std::this_thread::sleep_for(kIdleTime);
        const auto cpuAfter = cpuSeconds(player.pid());
        const auto switchesAfter = voluntarySwitches(player.pid());
        if (!player.running() || !cpuBefore || !cpuAfter || !switchesBefore || !switchesAfter) {
            std::fprintf(stderr, "bench_idle: the player ended while idling\n");
            return 1;
        }
        const double seconds = std::chrono::duration<double>(kIdleTime).count();
        std::printf("Idle player, %.0f s after %.0f s of settling, nothing loaded:\n", seconds,
                    std::chrono::duration<double>(kSettleTime).count());
        std::printf("  CPU time (all threads):   %.3f s   (target: under %.2f s)\n",
                    *cpuAfter - *cpuBefore, kTargetCpuSeconds);
        std::printf("  main thread wake-ups:     %.1f per second\n",
                    static_cast<double>(*switchesAfter - *switchesBefore) / seconds);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_idle: %s\n", error.what());
        return 1;
    }
    return 0;
}
