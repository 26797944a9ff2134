#include "SinkRecording.h"

#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <cstring>

#include "ToneAnalysis.h"

namespace bramble::testsupport {

namespace {

void startParec(QProcess& process, const QString& source) {
    process.start(QStringLiteral("parec"),
                  {QStringLiteral("--device=") + source, QStringLiteral("--raw"),
                   QStringLiteral("--format=s16le"),
                   QStringLiteral("--rate=") + QString::number(kRecordingRate),
                   QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=20")});
}

// What was read is all that counts: parec need not finish cleanly.
void endProcess(QProcess& process) {
    process.kill();
    process.waitForFinished(3000);
}

}  // namespace

std::optional<QString> pactl(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("pactl"), arguments);
    if (!process.waitForFinished(5000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QString SinkRecorder::nullSinkMonitor(QString* reason) {
    if (QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty()) {
        *reason = QStringLiteral("parec is not installed");
        return {};
    }
    const QString sink = pactl({QStringLiteral("get-default-sink")}).value_or(QString()).trimmed();
    if (sink.isEmpty()) {
        *reason = QStringLiteral("no sound server answers pactl");
        return {};
    }
    const QString sinks =
        pactl({QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sinks")})
            .value_or(QString());
    for (const QString& line : sinks.split(QLatin1Char('\n'))) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() > 2 && fields[1] == sink &&
            fields[2].startsWith(QLatin1String("module-null-sink"))) {
            return sink + QStringLiteral(".monitor");
        }
    }
    *reason = QStringLiteral("the default sink is not a null sink");
    return {};
}

SinkRecorder::~SinkRecorder() {
    endProcess(process_);
}

bool SinkRecorder::start(const QString& source) {
    QObject::connect(&process_, &QProcess::readyReadStandardOutput, &process_, [this] {
        pending_ += process_.readAllStandardOutput();
        const qsizetype whole = pending_.size() / 2;
        const std::size_t old = samples_.size();
        samples_.resize(old + static_cast<std::size_t>(whole));
        std::memcpy(samples_.data() + old, pending_.constData(),
                    static_cast<std::size_t>(whole) * 2);
        pending_.remove(0, whole * 2);
    });
    startParec(process_, source);
    return process_.waitForStarted(5000);
}

bool SinkRecorder::waitUntilRecording(int timeoutMs) {
    return QTest::qWaitFor([this] { return !samples_.empty(); }, timeoutMs);
}

bool SinkRecorder::waitForSoundThenQuiet(int quietMs, int timeoutMs) {
    const std::size_t quietSamples = static_cast<std::size_t>(quietMs) * kRecordingRate / 1000;
    return QTest::qWaitFor(
        [&] {
            const auto loud = std::find_if(samples_.rbegin(), samples_.rend(), isSound);
            return loud != samples_.rend() &&
                   static_cast<std::size_t>(loud - samples_.rbegin()) >= quietSamples;
        },
        timeoutMs);
}

SinkPacer::SinkPacer(const QString& monitor) {
    reader_.setStandardOutputFile(QProcess::nullDevice());
    startParec(reader_, monitor);
    reader_.waitForStarted(5000);
}

SinkPacer::~SinkPacer() {
    endProcess(reader_);
}

}  // namespace bramble::testsupport
