// How long the title search takes to refill its result list after a keystroke over a full
// playlist, and how long the help viewer takes to show a large help file. Figures only.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "QtBenchmarkMain.h"
#include "app/Program.h"
#include "app/WindowOpeners.h"
#include "help/HelpWindow.h"
#include "platform/QtDesktop.h"
#include "platform/QtMessageBoxes.h"
#include "playlistwindow/PlaylistWindow.h"
#include "playlistwindow/TitleSearchWindow.h"

namespace {

constexpr int kTitles = 2000;

std::unique_ptr<Program> makeProgram(const QString& folder) {
    PlatformServices services;
    services.desktop = std::make_unique<QtDesktop>();
    services.messages = std::make_unique<QtMessageBoxes>();
    return std::make_unique<Program>(folder, std::move(services));
}

void fillStore(Program& program) {
    std::vector<PlaylistStore::Entry> entries;
    std::vector<int> order;
    for (int i = 1; i <= kTitles; ++i) {
        const QString title = QStringLiteral("%1 - Interpret Nummer %2 - Ein ziemlich langer Titel")
                                  .arg(i, 4, 10, QLatin1Char('0'))
                                  .arg(i % 97);
        entries.push_back({title, QStringLiteral("/musik/") + title + QStringLiteral(".mp3")});
        order.push_back(i);
    }
    program.playbackModel().fillPlaylist(std::move(entries), std::move(order));
}

// One keystroke: the text changes to `text`, the result list is refilled and painted.
void BM_SearchKeystroke(benchmark::State& state, const QString& text) {
    const std::unique_ptr<Program> program = makeProgram(QStringLiteral("/nonexistent"));
    fillStore(*program);
    PlaylistWindow& pl = program->playlistWindow();
    pl.lines->setStringList(program->playbackModel().playlist().titles());
    pl.show();
    TitleSearchWindow& search = program->searchWindow();
    search.show();
    QApplication::processEvents();

    for (auto _ : state) {
        search.searchEdit->clear();
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        search.searchEdit->setText(text);
        search.resultList->repaint();
        QApplication::processEvents();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    state.counters["found"] = static_cast<double>(search.resultLines.size());
}
// `piece` repeated to the wanted size: one paragraph of words, or paragraphs of one word each,
// the two texts of most and of least text per paragraph.
QByteArray repeated(qsizetype bytes, const QByteArray& piece) {
    QByteArray result = "{\\rtf1\\ansi\\deff0 ";
    while (result.size() < bytes - 1) {
        result += piece;
    }
    result.truncate(bytes - 1);
    return result + "}";
}

// The shipped help repeated as often as it fits in the wanted size, as one RTF document.
QByteArray largeHelp(qsizetype bytes) {
    QFile file(QStringLiteral(BRAMBLE_HELP_FILE));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray help = file.readAll();
    const qsizetype start = help.indexOf("\\pard");
    const QByteArray body = help.mid(start, help.lastIndexOf('}') - start);
    QByteArray result = help.left(start);
    while (result.size() + body.size() < bytes) {
        result += body;
    }
    return result + "}";
}

// F1 to the first paint of the viewer: reading the file, building the document, laying out
// and painting what is visible. Arguments: the file's size, and 0 for the shipped help repeated,
// 1 for one long paragraph, 2 for a paragraph per word.
void BM_HelpViewerShows(benchmark::State& state) {
    const QTemporaryDir folder;
    const QByteArray rtf = state.range(1) == 0   ? largeHelp(state.range(0))
                           : state.range(1) == 1 ? repeated(state.range(0), "Hilfe ")
                                                 : repeated(state.range(0), "Hilfe\\par ");
    QFile out(QDir(folder.path()).filePath(QStringLiteral("hilfe.rtf")));
    if (rtf.isEmpty() || !out.open(QIODevice::WriteOnly) || out.write(rtf) != rtf.size()) {
        state.SkipWithError("no help file to show");
        return;
    }
    out.close();
    const std::unique_ptr<Program> program = makeProgram(folder.path());

    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        HelpWindow& help = program->help.getOrCreate(program->desktop(), program->helpPath());
        showOnTop(help);
        help.repaint();
        QApplication::processEvents();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        // Shown, not the note on a file that could not be read.
        state.counters["chars"] = static_cast<double>(help.helpText->document()->characterCount());
        emit help.unloadRequested();
        QApplication::processEvents();
    }
    state.counters["bytes"] = static_cast<double>(rtf.size());
}
BENCHMARK(BM_HelpViewerShows)
    ->Args({int64_t{200} * 1024, 0})
    ->Args({HelpWindow::kLargestFile, 0})
    ->Args({HelpWindow::kLargestFile, 1})
    ->Args({HelpWindow::kLargestFile, 2})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // The star search lowers titles as the user's locale does: measure it under German.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    for (const auto& [name, text] : {std::pair{"prefix_1000_found", "1"},
                                     {"star_all_found", "*TITEL"},
                                     {"star_some_found", "*nummer 4"},
                                     {"prefix_none_found", "Queen"},
                                     {"star_none_found", "*gibt es nicht"}}) {
        benchmark::RegisterBenchmark((std::string("BM_SearchKeystroke/") + name).c_str(),
                                     BM_SearchKeystroke, QString::fromUtf8(text))
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    return runQtBenchmarks(argc, argv);
}
