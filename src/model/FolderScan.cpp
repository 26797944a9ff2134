#include "model/FolderScan.h"

#include "formats/ListFile.h"
#include "model/FolderScanner.h"
#include "model/PlaybackModel.h"
#include "util/LatestRequest.h"

namespace {

struct ScanResult {
    std::vector<PlaylistStore::Entry> entries;
    std::vector<int> order;
};

}  // namespace

FolderScan::FolderScan(PlaybackModel& model, QString foldersPath,
                       std::shared_ptr<const FolderSource> source)
    : model_(model),
      foldersPath_(std::move(foldersPath)),
      source_(std::move(source)),
      delayTimer_(new WindowTimer(kDelayMs, true, this)),
      scan_(new LatestRequest(this)) {
    connect(delayTimer_, &WindowTimer::timeout, this, &FolderScan::startScan);
}

bool FolderScan::listing() const {
    return scan_->busy();
}

void FolderScan::startScan() {
    delayTimer_->setEnabled(false);
    const auto scan = [foldersPath = foldersPath_, source = source_](std::stop_token stop) {
        // The list is read again here, so a scan asked for twice sees the newest one.
        const QStringList folders = readListFile(foldersPath).value_or(QStringList());
        ScanResult result{toEntries(scanFolders(folders, PlaylistStore::kCapacity, *source, stop)),
                          {}};
        result.order = shuffledOrder(static_cast<int>(result.entries.size()));
        return result;
    };
    scan_->start(scan, [this](ScanResult result) {
        model_.fillPlaylist(std::move(result.entries), std::move(result.order));
        emit finished();
    });
}
