#include "MpvTestSupport.h"

#include <sys/resource.h>

#include <QProcess>
#include <QRegularExpression>

QString fixture(const QString& relativePath) {
    return QStringLiteral(BRAMBLE_FIXTURES "/") + relativePath;
}

std::optional<QString> pactl(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("pactl"), arguments);
    if (!process.waitForFinished(5000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

int sinkPercent() {
    // pactl's line reads "front-left: 32768 /  50% / ...".
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("/\\s*(\\d+)%"))
            .match(pactl({QStringLiteral("get-sink-volume"), QStringLiteral("@DEFAULT_SINK@")})
                       .value_or(QString()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void NullSinkPacer::SetUp() {
    QString reason;
    const QString monitor = SinkRecorder::nullSinkMonitor(&reason);
    if (!monitor.isEmpty()) {
        pacer_ = std::make_unique<bramble::testsupport::SinkPacer>(monitor);
    }
}

void NullSinkPacer::TearDown() {
    pacer_.reset();
}
