#pragma once

#include <QObject>

#include "skin/WindowTimer.h"

class Program;
class LatestRequest;

// A pending scan of the saved folders. It scans once, at its timer's first tick, after the
// event that asked for it has finished; the folders are listed on a worker, and the store is
// filled when the listing is done. Whether it scanned or was abandoned, the store is then
// published into the playlist window. Gone before the listing is done, it drops its result.
class FolderScan : public QObject {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 200;

    explicit FolderScan(Program& program);

    void startScan();
    // Appends the store's titles to the playlist window's list.
    void publish();
    // The timer has fired and the folders are being listed.
    bool listing() const;

private:
    Program& program_;
    WindowTimer* delayTimer;
    LatestRequest* scan_;
};
