#include "SinkRecording.h"

#include <QStandardPaths>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <cstring>

#include "ToneAnalysis.h"

namespace bramble::testsupport {

namespace {

QString runTool(const QString& program, const QStringList& arguments, bool* ok) {
    QProcess process;
    process.start(program, arguments);
    *ok = process.waitForFinished(5000) && process.exitStatus() == QProcess::NormalExit &&
          process.exitCode() == 0;
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

QStringList parecArguments(const QString& source) {
    return {QStringLiteral("--device=") + source,
            QStringLiteral("--raw"),
            QStringLiteral("--format=s16le"),
            QStringLiteral("--rate=") + QString::number(kRecordingRate),
            QStringLiteral("--channels=1"),
            QStringLiteral("--latency-msec=20")};
}

void endProcess(QProcess& process) {
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

}  // namespace

QString SinkRecorder::nullSinkMonitor(QString* reason) {
    if (QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pactl")).isEmpty()) {
        *reason = QStringLiteral("parec or pactl is not installed");
        return {};
    }
    bool ok = false;
    const QString sink =
        runTool(QStringLiteral("pactl"), {QStringLiteral("get-default-sink")}, &ok);
    if (!ok || sink.isEmpty()) {
        *reason = QStringLiteral("no sound server is running");
        return {};
    }
    const QString sinks =
        runTool(QStringLiteral("pactl"),
                {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sinks")}, &ok);
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

SinkRecorder::SinkRecorder() = default;

SinkRecorder::~SinkRecorder() {
    if (process_) {
        endProcess(*process_);
    }
}

bool SinkRecorder::start(const QString& source) {
    process_ = std::make_unique<QProcess>();
    QObject::connect(process_.get(), &QProcess::readyReadStandardOutput, process_.get(),
                     [this] { readAvailable(); });
    process_->start(QStringLiteral("parec"), parecArguments(source));
    return process_->waitForStarted(5000);
}

void SinkRecorder::readAvailable() {
    pending_ += process_->readAllStandardOutput();
    const qsizetype whole = pending_.size() / 2;
    const std::size_t old = samples_.size();
    samples_.resize(old + static_cast<std::size_t>(whole));
    std::memcpy(samples_.data() + old, pending_.constData(), static_cast<std::size_t>(whole) * 2);
    pending_.remove(0, whole * 2);
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
    reader_.start(QStringLiteral("parec"), parecArguments(monitor));
    reader_.waitForStarted(5000);
}

SinkPacer::~SinkPacer() {
    endProcess(reader_);
}

}  // namespace bramble::testsupport
