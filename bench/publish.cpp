// How long the window stands still while a scan's 2000 titles are published into the
// playlist window: appending them to the list and painting it once. Figures only.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>

#include "QtBenchmarkMain.h"
#include "app/Program.h"
#include "model/PlaylistStore.h"
#include "platform/QtDesktop.h"
#include "platform/QtMessageBoxes.h"
#include "playlistwindow/PlaylistWindow.h"

namespace {

std::vector<PlaylistStore::Entry> entries(int count) {
    std::vector<PlaylistStore::Entry> result;
    for (int i = 1; i <= count; ++i) {
        const QString title = QStringLiteral("%1 - Interpret Nummer %2 - Ein ziemlich langer Titel")
                                  .arg(i, 4, 10, QLatin1Char('0'))
                                  .arg(i % 97);
        result.push_back({title, QStringLiteral("/musik/") + title + QStringLiteral(".mp3")});
    }
    return result;
}

void BM_PublishIntoPlaylistWindow(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    PlatformServices services;
    services.desktop = std::make_unique<QtDesktop>();
    services.messages = std::make_unique<QtMessageBoxes>();
    Program program(QStringLiteral("/nonexistent"), std::move(services));
    std::vector<int> order(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        order[static_cast<std::size_t>(i)] = i + 1;
    }
    program.playbackModel().fillPlaylist(entries(count), order);
    PlaylistWindow& pl = program.playlistWindow();
    pl.show();
    QApplication::processEvents();

    for (auto _ : state) {
        pl.lines->setStringList({});
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        pl.appendLines(program.playbackModel().playlist().titles());
        pl.titleList
            ->repaint();  // the first paint of the new lines happens before the loop runs on
        QApplication::processEvents();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    state.counters["lines"] = pl.lineCount();
}
BENCHMARK(BM_PublishIntoPlaylistWindow)->Arg(2000)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
