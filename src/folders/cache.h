#pragma once

#include <QObject>

#include "player/FormTimer.h"

class Program;

// A pending scan of the saved folders. It scans once, at its timer's first tick, after the
// event that asked for it has finished. Whether it scanned or was abandoned, the store is
// then published into the playlist window.
class cache : public QObject {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 200;

    explicit cache(Program& program);

    void Timer1_Timer();
    // Appends the store's titles to the playlist window's list.
    void publish();

private:
    Program& program_;
    FormTimer* Timer1;
};
