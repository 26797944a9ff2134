// How long the folder browser takes to show a folder of 2000 MP3 files when it opens on it and
// when it switches between two such folders (the folders are listed on a worker: held_ms is the
// longest the window was held up at a time meanwhile), and from committing 100 folders of 2000
// files in all until the playlist window shows them. Figures only.

#include <benchmark/benchmark.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>

#include "QtBenchmarkMain.h"
#include "app/Program.h"
#include "app/Startup.h"
#include "folderbrowser/FolderBrowser.h"
#include "model/FolderScan.h"
#include "platform/QtDesktop.h"
#include "platform/QtMessageBoxes.h"
#include "playlistwindow/PlaylistWindow.h"

namespace {

// `count` small MP3 files in a new folder below `root`, with a few other files beside them.
QString folderOfFiles(const QTemporaryDir& root, const QString& name, int count) {
    QString folder = root.filePath(name);
    QDir().mkpath(folder);
    for (int i = 1; i <= count; ++i) {
        QFile(QStringLiteral("%1/%2 - Interpret - Titel Nummer %2.mp3").arg(folder).arg(i, 4))
            .open(QIODevice::WriteOnly);
    }
    QFile(folder + QStringLiteral("/cover.jpg")).open(QIODevice::WriteOnly);
    QDir().mkpath(folder + QStringLiteral("/Bonus"));
    return folder;
}

// The program on the real desktop without players or dialogs, started as main() does.
struct StartedProgram {
    StartedProgram() : program(programFolder.path(), services()) { startUp(program); }
    static PlatformServices services() {
        PlatformServices s;
        s.desktop = std::make_unique<QtDesktop>();
        s.messages = std::make_unique<QtMessageBoxes>();
        return s;
    }
    QTemporaryDir programFolder;
    Program program;
};

double secondsSince(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

// Paints the window and runs what that queued; the seconds it took.
double settle(QWidget& window) {
    QElapsedTimer timer;
    timer.start();
    window.repaint();
    QApplication::processEvents();
    return secondsSince(timer);
}

// Runs the event loop until `done`, sleeping while the lists are made on a worker; the longest
// the loop was awake at a time, in seconds, is the longest the window was held up.
double runUntil(const std::function<bool()>& done) {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    QElapsedTimer awake;
    awake.start();
    double longest = 0;
    const QMetaObject::Connection woke = QObject::connect(
        dispatcher, &QAbstractEventDispatcher::awake, [&awake] { awake.restart(); });
    const QMetaObject::Connection sleeps =
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock,
                         [&] { longest = std::max(longest, secondsSince(awake)); });
    while (!done()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QObject::disconnect(woke);
    QObject::disconnect(sleeps);
    return std::max(longest, secondsSince(awake));
}

void BM_OpenBrowserOnFolder(benchmark::State& state) {
    const QTemporaryDir root;
    const QString folder =
        folderOfFiles(root, QStringLiteral("A"), static_cast<int>(state.range(0)));
    StartedProgram started;
    FolderBrowser& browser = started.program.folderBrowser();
    double heldSeconds = 0;
    for (auto _ : state) {
        browser.hide();
        browser.presetFolder(root.path());
        runUntil([&] { return browser.folderTree->path() == root.path(); });
        QElapsedTimer timer;
        timer.start();
        browser.presetFolder(folder);  // as the openers do
        browser.show();
        double held = secondsSince(timer);
        held = std::max(held, runUntil([&] { return browser.folderTree->path() == folder; }));
        held = std::max(held, settle(browser));
        state.SetIterationTime(secondsSince(timer));
        heldSeconds += held;
    }
    state.counters["files"] = browser.fileNames->rowCount();
    state.counters["held_ms"] = heldSeconds * 1000 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_OpenBrowserOnFolder)->Arg(2000)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SwitchBetweenFolders(benchmark::State& state) {
    const QTemporaryDir root;
    const int files = static_cast<int>(state.range(0));
    const QStringList folders{folderOfFiles(root, QStringLiteral("A"), files),
                              folderOfFiles(root, QStringLiteral("B"), files)};
    StartedProgram started;
    FolderBrowser& browser = started.program.folderBrowser();
    browser.presetFolder(folders[0]);
    browser.show();
    settle(browser);
    runUntil([&] { return browser.folderTree->path() == folders[0]; });
    int next = 1;
    double heldSeconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        emit browser.folderTree->openRequested(folders[next]);  // a double click in the folder list
        double held = secondsSince(timer);
        held =
            std::max(held, runUntil([&] { return browser.folderTree->path() == folders[next]; }));
        held = std::max(held, settle(browser));
        state.SetIterationTime(secondsSince(timer));
        heldSeconds += held;
        next = 1 - next;
    }
    state.counters["files"] = browser.fileNames->rowCount();
    state.counters["held_ms"] = heldSeconds * 1000 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_SwitchBetweenFolders)->Arg(2000)->UseManualTime()->Unit(benchmark::kMillisecond);

// From the click on "Verz. einfügen" until the playlist window shows every title: the scan
// waits its 200 ms by design, so the figure that counts is the time beyond that delay.
void BM_CommitToFilledPlaylist(benchmark::State& state) {
    const QTemporaryDir root;
    const int folderCount = static_cast<int>(state.range(0));
    const int perFolder = static_cast<int>(state.range(1));
    QStringList folders;
    for (int i = 1; i <= folderCount; ++i) {
        folders << folderOfFiles(root, QStringLiteral("Album %1").arg(i), perFolder);
    }
    StartedProgram started;
    Program& program = started.program;
    FolderBrowser& browser = program.folderBrowser();
    double handlerSeconds = 0;
    double beyondDelaySeconds = 0;
    int lines = 0;
    for (auto _ : state) {
        browser.folderListBox->lines->setStringList(folders);
        browser.show();
        settle(browser);
        QElapsedTimer timer;
        timer.start();
        browser.commitButton->click();
        handlerSeconds += secondsSince(timer);
        while (program.scanPending()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        PlaylistWindow& pl = program.playlistWindow();
        settle(pl);
        const double total = secondsSince(timer);
        state.SetIterationTime(total);
        beyondDelaySeconds += total - FolderScan::kDelayMs / 1000.0;
        lines = pl.lineCount();
    }
    const auto perRun = [&state](double seconds) {
        return seconds * 1000 / static_cast<double>(state.iterations());
    };
    state.counters["lines"] = lines;
    state.counters["handler_ms"] = perRun(handlerSeconds);
    state.counters["beyond_delay_ms"] = perRun(beyondDelaySeconds);
}
BENCHMARK(BM_CommitToFilledPlaylist)
    ->Args({100, 20})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
