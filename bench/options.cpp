// How long a click takes to bring up the options dialog (settings.cfg read again included), and
// the standard-folder chooser on a folder of 1000 subfolders: from the click to the first paint
// of the window, of the chooser with its folders shown. Figures only.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include "QtBenchmarkMain.h"
#include "app/Program.h"
#include "app/Startup.h"
#include "folderbrowser/FolderChooser.h"
#include "mainwindow/MainWindow.h"
#include "options/OptionsDialog.h"
#include "platform/QtDesktop.h"
#include "platform/QtMessageBoxes.h"

namespace {

constexpr int kSubfolders = 1000;

class PaintWatch : public QObject {
public:
    explicit PaintWatch(std::function<bool()> ready) : ready_(std::move(ready)) {}
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        painted = painted || (event->type() == QEvent::Paint && ready_());
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool()> ready_;
};

// Runs the event loop until `window` has been painted once `ready` holds; false after two
// seconds without.
bool waitForPaint(QWidget& window, std::function<bool()> ready) {
    PaintWatch watch(std::move(ready));
    window.installEventFilter(&watch);
    QTimer deadline;  // wakes the loop at the end
    deadline.setSingleShot(true);
    deadline.start(2000);
    while (!watch.painted && deadline.isActive()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    window.removeEventFilter(&watch);
    return watch.painted;
}

bool waitForPaint(QWidget& window) {
    return waitForPaint(window, [] { return true; });
}

void settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
    }
}

// A started player in a temporary program folder whose standard folder holds `subfolders`
// folders.
struct StartedPlayer {
    explicit StartedPlayer(int subfolders) {
        const QString music = programFolder.filePath(QStringLiteral("musik"));
        for (int i = 0; i < subfolders; ++i) {
            QDir().mkpath(QStringLiteral("%1/Album %2").arg(music).arg(i, 4, 10, QLatin1Char('0')));
        }
        QFile settings(programFolder.filePath(QStringLiteral("settings.cfg")));
        if (settings.open(QIODevice::WriteOnly)) {
            settings.write(" 1 \r\n 1 \r\n 0 \r\n" + QFile::encodeName(music) +
                           "\r\n 1 \r\n 0 \r\n 16000 \r\n");
        }
        settings.close();
        PlatformServices services;
        services.desktop = std::make_unique<QtDesktop>();
        services.messages = std::make_unique<QtMessageBoxes>();
        program = std::make_unique<Program>(programFolder.path(), std::move(services));
        startUp(*program);
        settle();
    }

    QTemporaryDir programFolder;
    std::unique_ptr<Program> program;
};

void BM_OpenOptionsDialog(benchmark::State& state) {
    StartedPlayer player(0);
    MainWindow& form = player.program->mainWindow();
    OptionsDialog& dialog = player.program->optionsDialog();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(form.findChild<SkinLabel*>(QStringLiteral("optionsButton")),
                          Qt::LeftButton);
        if (!waitForPaint(dialog)) {
            state.SkipWithError("the dialog was not painted");
            break;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        dialog.cancelButton->click();
        settle();
    }
}
BENCHMARK(BM_OpenOptionsDialog)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_OpenChooserOnFolderOf1000Subfolders(benchmark::State& state) {
    StartedPlayer player(kSubfolders);
    QTest::mouseClick(
        player.program->mainWindow().findChild<SkinLabel*>(QStringLiteral("optionsButton")),
        Qt::LeftButton);
    settle();
    OptionsDialog& dialog = player.program->optionsDialog();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(dialog.chooseFolderButton, Qt::LeftButton);
        FolderChooser* chooser = player.program->folderChooser.get();
        // Its folders are listed on a worker: the paint that counts is the one that shows them.
        const auto listed = [chooser] { return chooser->folderTree->count() > kSubfolders; };
        if (chooser == nullptr || !waitForPaint(*chooser->folderTree->viewport(), listed)) {
            state.SkipWithError("the chooser was not painted");
            break;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        state.counters["entries"] = chooser->folderTree->count();
        chooser->cancelButton->click();
        settle();
    }
}
BENCHMARK(BM_OpenChooserOnFolderOf1000Subfolders)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
