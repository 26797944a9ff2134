#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <optional>

#include "SinkRecording.h"

// Offscreen windows, a session bus of the run's own, and the null sink kept in step.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir busFolder;
    QProcess bus;
    // The bus ends with the tests even when they crash.
    bus.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    bus.start("dbus-daemon", {"--session", "--nofork", "--nopidfile", "--print-address=1",
                              "--address=unix:dir=" + busFolder.path()});
    if (bus.waitForReadyRead(10000)) {
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
    }
    const QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    QString noSink;
    const QString monitor = bramble::testsupport::SinkRecorder::nullSinkMonitor(&noSink);
    std::optional<bramble::testsupport::SinkPacer> pacer;
    if (!monitor.isEmpty()) {
        pacer.emplace(monitor);
    }
    const int result = RUN_ALL_TESTS();
    bus.terminate();
    bus.waitForFinished();
    return result;
}
