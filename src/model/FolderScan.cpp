#include "model/FolderScan.h"

#include "app/Program.h"
#include "formats/ListFile.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/Transport.h"
#include "model/FolderScanner.h"
#include "playlistwindow/PlaylistWindow.h"
#include "util/LatestRequest.h"

namespace {

struct ScanResult {
    std::vector<PlaylistStore::Entry> entries;
    std::vector<int> order;
};

}  // namespace

FolderScan::FolderScan(Program& program) : program_(program), scan_(new LatestRequest(this)) {
    delayTimer = new WindowTimer(kDelayMs, true, this);
    connect(delayTimer, &WindowTimer::timeout, this, &FolderScan::startScan);
}

bool FolderScan::listing() const {
    return scan_->busy();
}

void FolderScan::publish() {
    if (PlaylistWindow* pl = program_.playlistIfLoaded()) {
        pl->appendLines(program_.store.titles());
    }
    program_.mainWindow().transport().queueFollowing();
}

void FolderScan::startScan() {
    delayTimer->setEnabled(false);
    const auto scan = [foldersPath = program_.foldersPath(),
                       source = program_.folderSource()](std::stop_token stop) {
        // The list is read again here, so a scan asked for twice sees the newest one.
        const QStringList folders = readListFile(foldersPath).value_or(QStringList());
        ScanResult result{toEntries(scanFolders(folders, PlaylistStore::kCapacity, *source, stop)),
                          {}};
        result.order = shuffledOrder(static_cast<int>(result.entries.size()));
        return result;
    };
    scan_->start(scan, [this](ScanResult result) {
        program_.store.fill(std::move(result.entries), std::move(result.order));
        program_.finishScan();
    });
}
