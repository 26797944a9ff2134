#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "skin/WindowTimer.h"

class FolderSource;
class LatestRequest;
class PlaybackModel;

// A pending scan of the saved folders. It scans once, at its timer's first tick, after the
// event that asked for it has finished; the folders of the list file are listed on a worker,
// and the playback model's playlist is filled when the listing is done. Gone before the listing
// is done, it drops its result.
class FolderScan : public QObject {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 200;

    FolderScan(PlaybackModel& model, QString foldersPath,
               std::shared_ptr<const FolderSource> source);

    // The timer has fired and the folders are being listed.
    bool listing() const;

signals:
    // The playlist has been filled; called from the scan's own timer tick.
    void finished();

private:
    void startScan();

    PlaybackModel& model_;
    QString foldersPath_;
    std::shared_ptr<const FolderSource> source_;
    WindowTimer* delayTimer_;
    LatestRequest* scan_;
};
