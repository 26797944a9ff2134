#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <cstdio>

#include "MpvTestSupport.h"

// Offscreen windows and the null sink kept in step (dbus-run-session gives the session bus).
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
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
    return result;
}
