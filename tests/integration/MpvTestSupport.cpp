#include "MpvTestSupport.h"

#include <sys/resource.h>

#include <QProcess>
#include <QRegularExpression>
#include <cmath>

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

Listening::Listening() {
    const QString monitor = bramble::testsupport::SinkRecorder::nullSinkMonitor(&why);
    on_ = !monitor.isEmpty() && recorder_.start(monitor) && recorder_.waitUntilRecording();
}

std::vector<ToneRun> Listening::tones() {
    EXPECT_TRUE(recorder_.waitForSoundThenQuiet());
    return bramble::testsupport::tonesHeard(recorder_.samples());
}

::testing::AssertionResult tonesAre(const std::vector<ToneRun>& tones,
                                    const std::vector<double>& frequencies) {
    bool same = tones.size() == frequencies.size();
    std::string heard;
    for (std::size_t i = 0; i < tones.size(); ++i) {
        same = same && std::abs(tones[i].frequency - frequencies[i]) < 30.0;
        heard += " " + std::to_string(std::lround(tones[i].frequency)) + " Hz for " +
                 std::to_string(tones[i].seconds) + " s;";
    }
    return (same ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
           << "heard" << (heard.empty() ? " nothing" : heard);
}
