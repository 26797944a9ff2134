// Start-up time: from starting the binary to the X server mapping its main window, for the
// player and, as yardsticks, for a minimal Qt window program, bare and with one line of text
// (which pays the font set-up); and for the player with the largest folder lists it may meet:
// a 300 MB folders.dat and one of 100,000 folders; and for the
// player while the sound server is stopped (SIGSTOP), so that it answers nothing. Needs an X
// display and the private sound server (bench/run provides both). Prints the figures; it
// asserts nothing.
//
// usage: bench_startup [PLAYER_BINARY MINIMAL_WINDOW_BINARY]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "LaunchedProgram.h"
#include "TopLevelMapWatcher.h"

namespace {

using Milliseconds = std::chrono::duration<double, std::milli>;
using bramble::bench::LaunchedProgram;
using bramble::bench::soundServer;
using bramble::bench::StoppedServer;
using bramble::bench::TemporaryProgramFolder;
using bramble::testsupport::TopLevelMapWatcher;

constexpr int kRuns = 10;
constexpr auto kMapTimeout = std::chrono::seconds(20);

struct Candidate {
    std::string label;
    std::string windowTitle;
    std::filesystem::path executable;
    std::vector<double> samples;
};

std::optional<double> timeToMap(TopLevelMapWatcher& watcher, const Candidate& candidate) {
    const auto start = std::chrono::steady_clock::now();
    const LaunchedProgram program(candidate.executable);
    const auto mapped = watcher.waitForWindow(program.pid(), candidate.windowTitle, kMapTimeout);
    if (!mapped) {
        return std::nullopt;
    }
    return Milliseconds(mapped->seenAt - start).count();
}

// A 300 MB folders.dat: one folder, then NUL bytes without a line end, sparse on disk.
void writeHugeFolderList(const std::filesystem::path& programFolder) {
    const std::filesystem::path list = programFolder / "folders.dat";
    std::ofstream(list) << programFolder.string() << "\r\n";
    std::filesystem::resize_file(list, std::uintmax_t{300} * 1024 * 1024);
}

// As many folders as a list may hold, none of which exists.
void writeLongFolderList(const std::filesystem::path& programFolder) {
    std::ofstream list(programFolder / "folders.dat");
    for (int i = 0; i < 100'000; ++i) {
        list << "/m/" << i << "\r\n";
    }
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void printFigures(const Candidate& candidate) {
    const auto [least, most] =
        std::minmax_element(candidate.samples.begin(), candidate.samples.end());
    std::printf("  %-20s median %7.1f ms   (min %7.1f, max %7.1f)\n", candidate.label.c_str(),
                median(candidate.samples), *least, *most);
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::filesystem::path playerBinary = argc > 2 ? argv[1] : BRAMBLE_PLAYER_BINARY;
    const std::filesystem::path minimalBinary = argc > 2 ? argv[2] : BRAMBLE_MINIMAL_WINDOW_BINARY;
    try {
        TopLevelMapWatcher watcher;
        const TemporaryProgramFolder playerFolder(playerBinary);
        const TemporaryProgramFolder minimalFolder(minimalBinary);
        const TemporaryProgramFolder textFolder(BRAMBLE_MINIMAL_TEXT_WINDOW_BINARY);
        const TemporaryProgramFolder hugeListFolder(playerBinary);
        writeHugeFolderList(hugeListFolder.executable().parent_path());
        const TemporaryProgramFolder longListFolder(playerBinary);
        writeLongFolderList(longListFolder.executable().parent_path());
        std::vector<Candidate> candidates{
            {"brambleplayer", "MP3-Brambleplayer", playerFolder.executable(), {}},
            {"minimal Qt window", "minimal window", minimalFolder.executable(), {}},
            {"same with a text", "minimal window with text", textFolder.executable(), {}},
            {"300 MB folders.dat", "MP3-Brambleplayer", hugeListFolder.executable(), {}},
            {"100000 folders", "MP3-Brambleplayer", longListFolder.executable(), {}}};

        // One start of each that is not counted, so that both find the libraries in the page
        // cache; then the two alternate, so drifts of the machine hit both alike.
        for (int run = -1; run < kRuns; ++run) {
            for (Candidate& candidate : candidates) {
                const auto elapsed = timeToMap(watcher, candidate);
                if (!elapsed) {
                    std::fprintf(stderr,
                                 "bench_startup: %s mapped no window \"%s\" within %lld s\n",
                                 candidate.label.c_str(), candidate.windowTitle.c_str(),
                                 static_cast<long long>(kMapTimeout.count()));
                    return 1;
                }
                if (run >= 0) {
                    candidate.samples.push_back(*elapsed);
                }
            }
        }

        std::printf(
            "Start-up, from starting the binary to its main window being mapped, %d starts each:\n",
            kRuns);
        for (const Candidate& candidate : candidates) {
            printFigures(candidate);
        }
        std::printf("  ratio player / minimal window: %.2f   (aim: at most 1.6)\n",
                    median(candidates[0].samples) / median(candidates[1].samples));
        std::printf("  ratio player / minimal window with a text: %.2f\n",
                    median(candidates[0].samples) / median(candidates[2].samples));
        for (const std::size_t withList : {3U, 4U}) {
            std::printf("  ratio %s / player: %.2f\n", candidates[withList].label.c_str(),
                        median(candidates[withList].samples) / median(candidates[0].samples));
        }

        // Apart from the others: a server that was stopped has a backlog to work off.
        const std::optional<pid_t> server = soundServer();
        if (!server) {
            std::printf("  (no sound server runs: the start with a stopped one is left out)\n");
            return 0;
        }
        Candidate stopped{
            "sound server stopped", "MP3-Brambleplayer", playerFolder.executable(), {}};
        for (int run = 0; run < kRuns; ++run) {
            const StoppedServer pause(*server);
            const auto elapsed = timeToMap(watcher, stopped);
            if (!elapsed) {
                std::fprintf(stderr,
                             "bench_startup: with the sound server stopped, no window "
                             "within %lld s\n",
                             static_cast<long long>(kMapTimeout.count()));
                return 1;
            }
            stopped.samples.push_back(*elapsed);
        }
        std::printf("Start-up while the sound server answers nothing (stopped), %d starts:\n",
                    kRuns);
        printFigures(stopped);
        std::printf("  (aim: the window maps within 1500 ms)\n");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_startup: %s\n", error.what());
        return 1;
    }
    return 0;
}
