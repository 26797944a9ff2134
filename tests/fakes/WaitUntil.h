#pragma once

#include <QTest>
#include <functional>

// Runs the event loop until the condition holds or the deadline passes; says whether it held.
// Deadlines only bound a failing test, they never measure anything.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 10000) {
    return QTest::qWaitFor(condition, timeoutMs);
}

// Runs the event loop for a while, for checks that something does NOT happen.
inline void runEventsFor(int milliseconds) {
    QTest::qWait(milliseconds);
}
