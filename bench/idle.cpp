// CPU use of an idle player: nothing loaded, window up, nobody touching it. The player's only
// business then is its timers; this shows whether they cost anything. Needs an X display
// (bench/run provides one). Prints the figures; it asserts nothing.
//
// usage: bench_idle [PLAYER_BINARY]

#include <unistd.h>

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

// User plus system CPU time of all threads of the process so far, in seconds.
std::optional<double> cpuSeconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    const std::string text{std::istreambuf_iterator<char>(stat), {}};
    // The command name in parentheses may hold spaces; the fields proper start after it.
    const std::size_t nameEnd = text.rfind(')');
    if (nameEnd == std::string::npos) {
        return std::nullopt;
    }
    std::istringstream fields(text.substr(nameEnd + 1));
    const std::vector<std::string> values{std::istream_iterator<std::string>(fields), {}};
    // After the name: state is field 3 of the file, utime field 14, stime field 15.
    constexpr std::size_t kUtime = 14 - 3;
    constexpr std::size_t kStime = 15 - 3;
    if (values.size() <= kStime) {
        return std::nullopt;
    }
    const double ticks = std::stod(values[kUtime]) + std::stod(values[kStime]);
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
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
        std::printf("  CPU time (user + system): %.2f s   (target: under %.2f s)\n",
                    *cpuAfter - *cpuBefore, kTargetCpuSeconds);
        std::printf("  main thread wake-ups:     %.1f per second\n",
                    static_cast<double>(*switchesAfter - *switchesBefore) / seconds);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_idle: %s\n", error.what());
        return 1;
    }
    return 0;
}
