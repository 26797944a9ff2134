// The folder scan against the floor of any scan (listing the same folders with readdir and
// sorting the names), the cost of building the store from a full scan, and reading the longest
// folder lists the reader takes. Figures only.

#include "formats/ListFile.h"
#include "model/FolderScanner.h"
#include "model/PlaylistStore.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <dirent.h>
#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <numeric>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

// A music collection of `folderCount` folders of `filesPerFolder` small MP3 files each, named
// as collections often are and created in random order.
class Collection {
public:
    Collection(int folderCount, int filesPerFolder) {
        std::mt19937 generator(7);
        for (int folderNumber = 1; folderNumber <= folderCount; ++folderNumber) {
            const QString folder = root_.filePath(QString("Artist %1 - Album").arg(folderNumber));
            QDir().mkpath(folder);
            folders_.append(folder);
            std::vector<int> tracks(static_cast<std::size_t>(filesPerFolder));
            std::iota(tracks.begin(), tracks.end(), 1);
            std::shuffle(tracks.begin(), tracks.end(), generator);
            for (const int track : tracks) {
                QFile file(QString("%1/%2 - Track Title %2.%3")
                               .arg(folder)
                               .arg(track, 2, 10, QLatin1Char('0'))
                               .arg(track % 3 == 0 ? "MP3" : "mp3"));
                file.open(QIODevice::WriteOnly);
                file.write("ID3");
            }
        }
    }

    const QStringList& folders() const { return folders_; }

private:
    QTemporaryDir root_;
    QStringList folders_;
};

struct DirectoryCloser {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

// What no scan can beat: every name of every folder read and sorted once.
std::size_t listPlainly(const std::vector<std::string>& folders) {
    std::size_t total = 0;
    for (const std::string& folder : folders) {
        const std::unique_ptr<DIR, DirectoryCloser> directory(::opendir(folder.c_str()));
        std::vector<std::string> names;
        while (const dirent* entry = ::readdir(directory.get())) {
            names.emplace_back(entry->d_name);
        }
        std::sort(names.begin(), names.end());
        total += names.size();
    }
    return total;
}

void registerScanPair(const Collection& collection, const std::string& size) {
    std::vector<std::string> paths;
    for (const QString& folder : collection.folders()) {
        paths.push_back(QFile::encodeName(folder).toStdString());
    }
    benchmark::RegisterBenchmark(("floor/" + size).c_str(), [paths](benchmark::State& state) {
        for (auto _ : state) {
            benchmark::DoNotOptimize(listPlainly(paths));
        }
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("scan/" + size).c_str(), [&collection](benchmark::State& state) {
        for (auto _ : state) {
            benchmark::DoNotOptimize(scanFolders(collection.folders(), 1'000'000));
        }
    })->Unit(benchmark::kMicrosecond);
}

// A folders.dat of `count` records, each `path` with its number, in a temporary folder.
class ListOnDisk {
public:
    ListOnDisk(int count, const QString& path) {
        QFile file(path_);
        file.open(QIODevice::WriteOnly);
        for (int i = 0; i < count; ++i) {
            file.write(path.arg(i).toLocal8Bit() + "\r\n");
        }
    }
    const QString& path() const { return path_; }

private:
    QTemporaryDir dir_;
    QString path_ = dir_.filePath(QStringLiteral("folders.dat"));
};

void registerListRead(const ListOnDisk& list, const std::string& name) {
    benchmark::RegisterBenchmark(("read list/" + name).c_str(), [&list](benchmark::State& state) {
        for (auto _ : state) {
            benchmark::DoNotOptimize(readListFile(list.path()));
        }
    })->Unit(benchmark::kMillisecond);
}

// Prints the usual table, then each scan beside its floor: medians over the repetitions, which
// bench/run interleaves so that a busy moment of the machine does not fall on one side only.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(OutputOptions options) : ConsoleReporter(options) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            // With --benchmark_report_aggregates_only only the aggregates come here.
            if (run.run_type == Run::RT_Iteration) {
                times_[run.run_name.str()].push_back(run.GetAdjustedRealTime());
            } else if (run.aggregate_name == "median") {
                medians_[run.run_name.str()] = run.GetAdjustedRealTime();
            }
        }
    }

    void printRatios() {
        std::printf("\n");
        for (const char* list : {"read list/100000 records", "read list/100000 paths"}) {
            if (const auto read = median(list)) {
                std::printf("%s: %.1f ms (aim: under 50 ms)\n", list, *read);
            }
        }
        for (const char* size : {"2000", "5000"}) {
            const auto floor = median(std::string("floor/") + size);
            const auto scan = median(std::string("scan/") + size);
            if (floor && scan) {
                std::printf("scan of %s files: %.0f us, %.2f x the plain listing (%.0f us)\n", size,
                            *scan, *scan / *floor, *floor);
            }
        }
    }

private:
    std::optional<double> median(const std::string& name) {
        if (const auto reported = medians_.find(name); reported != medians_.end()) {
            return reported->second;
        }
        const auto found = times_.find(name);
        if (found == times_.end() || found->second.empty()) {
            return std::nullopt;
        }
        std::vector<double>& times = found->second;
        const auto middle = times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2);
        std::nth_element(times.begin(), middle, times.end());
        return *middle;
    }

    // Microseconds per iteration.
    std::map<std::string, std::vector<double>> times_;
    std::map<std::string, double> medians_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }

    const Collection small(100, 20);
    const Collection large(100, 50);
    registerScanPair(small, "2000");
    registerScanPair(large, "5000");

    const std::vector<ScannedFile> scanned = scanFolders(small.folders());
    benchmark::RegisterBenchmark("build store/2000", [&scanned](benchmark::State& state) {
        for (auto _ : state) {
            PlaylistStore store;
            auto entries = toEntries(scanned);
            const int count = static_cast<int>(entries.size());
            store.fill(std::move(entries), shuffledOrder(count));
            benchmark::DoNotOptimize(store.count());
        }
    })->Unit(benchmark::kMicrosecond);

    // The record limit: 100,000 short paths fit in the byte limit. Longer paths hit the byte
    // limit first, after about 20,000 of them.
    const ListOnDisk shortPaths(100'000, QStringLiteral("/m/%1"));
    const ListOnDisk longPaths(100'000, QStringLiteral("/home/nutzer/Musik/Interpret %1 - Album"));
    registerListRead(shortPaths, "100000 records");
    registerListRead(longPaths, "100000 paths");

    RatioReporter reporter(::isatty(::fileno(stdout)) != 0 ? RatioReporter::OO_Defaults
                                                           : RatioReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
