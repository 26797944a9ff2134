#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <csignal>
#include <cstdio>

#include "MpvTestSupport.h"

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
    // mpv refuses to start where C functions format numbers with a decimal comma, as under a
    // German locale once Qt applied it: the players start under one (compiled here if missing).
    const QTemporaryDir locales;
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        QProcess::execute("localedef", {"-i", "de_DE", "-f", "UTF-8", locales.filePath("de")});
        qputenv("LOCPATH", QFile::encodeName(locales.path()));
        std::setlocale(LC_NUMERIC, "de");
        qunsetenv("LOCPATH");
    }
    if (*std::localeconv()->decimal_point != ',') {
        std::fprintf(stderr, "No German locale: the players start under a decimal point.\n");
    }
    QProcess pacer;
    if (pactl({"get-default-sink"}).value_or(QString()).trimmed() == "nullsink") {
        recordSink(pacer, QProcess::nullDevice());
    }
    const int result = RUN_ALL_TESTS();
    pacer.kill();
    pacer.waitForFinished();
    bus.terminate();
    bus.waitForFinished();
    return result;
}
