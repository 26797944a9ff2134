#include "MpvTestSupport.h"

#include <sys/resource.h>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kWindow = SinkRecorder::kRate / 25;  // 40 ms
constexpr double kSilentRms = 300.0;
constexpr double kSameToneHz = 30.0;
constexpr int kSoundLevel = 1000;  // a sample this loud is part of a tone
constexpr int kQuietLevel = 100;   // a sample this quiet is silence (the tones peak at 16384)

QString runTool(const QString& program, const QStringList& arguments, bool* ok) {
    QProcess process;
    process.start(program, arguments);
    *ok = process.waitForFinished(5000) && process.exitStatus() == QProcess::NormalExit &&
          process.exitCode() == 0;
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

double rootMeanSquare(const std::int16_t* samples, int count) {
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
    }
    return std::sqrt(sum / count);
}

double zeroCrossingFrequency(const std::int16_t* samples, int count) {
    int crossings = 0;
    for (int i = 1; i < count; ++i) {
        if ((samples[i - 1] < 0) != (samples[i] < 0)) {
            ++crossings;
        }
    }
    return crossings / 2.0 * SinkRecorder::kRate / count;
}

}  // namespace

QString fixture(const QString& relativePath) {
    return QStringLiteral(BRAMBLE_FIXTURES "/") + relativePath;
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    return QTest::qWaitFor(condition, timeoutMs);
}

void runEventsFor(int milliseconds) {
    QTest::qWait(milliseconds);
}

double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

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

namespace {

QStringList parecArguments(const QString& source) {
    return {QStringLiteral("--device=") + source, QStringLiteral("--raw"),
            QStringLiteral("--format=s16le"),     QStringLiteral("--rate=44100"),
            QStringLiteral("--channels=1"),       QStringLiteral("--latency-msec=20")};
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

void NullSinkPacer::SetUp() {
    QString reason;
    const QString monitor = SinkRecorder::nullSinkMonitor(&reason);
    if (monitor.isEmpty()) {
        return;
    }
    reader_ = std::make_unique<QProcess>();
    reader_->setStandardOutputFile(QProcess::nullDevice());
    reader_->start(QStringLiteral("parec"), parecArguments(monitor));
    reader_->waitForStarted(5000);
}

void NullSinkPacer::TearDown() {
    if (reader_) {
        endProcess(*reader_);
    }
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

bool SinkRecorder::waitForSoundThenQuiet(int quietMs, int timeoutMs) {
    const std::size_t quietSamples = static_cast<std::size_t>(quietMs) * kRate / 1000;
    return waitUntil(
        [&] {
            const auto loud = std::find_if(samples_.rbegin(), samples_.rend(), [](auto sample) {
                return std::abs(sample) >= kSoundLevel;
            });
            return loud != samples_.rend() &&
                   static_cast<std::size_t>(loud - samples_.rbegin()) >= quietSamples;
        },
        timeoutMs);
}

std::vector<ToneRun> toneRuns(const std::vector<std::int16_t>& samples) {
    std::vector<ToneRun> runs;
    const auto windowSeconds = static_cast<double>(kWindow) / SinkRecorder::kRate;
    for (std::size_t start = 0; start + kWindow <= samples.size(); start += kWindow) {
        const std::int16_t* const window = samples.data() + start;
        const double frequency = rootMeanSquare(window, kWindow) < kSilentRms
                                     ? 0.0
                                     : zeroCrossingFrequency(window, kWindow);
        const bool silent = frequency == 0.0;
        if (!runs.empty() && ((silent && runs.back().frequency == 0.0) ||
                              (!silent && runs.back().frequency != 0.0 &&
                               std::abs(runs.back().frequency - frequency) <= kSameToneHz))) {
            runs.back().seconds += windowSeconds;
        } else {
            runs.push_back({frequency, windowSeconds});
        }
    }
    // Windows that straddle two tones read as a third, short one: drop them, then merge
    // neighbours that became adjacent.
    std::erase_if(runs,
                  [](const ToneRun& run) { return run.frequency != 0.0 && run.seconds < 0.1; });
    std::vector<ToneRun> merged;
    for (const ToneRun& run : runs) {
        if (!merged.empty() && (merged.back().frequency == 0.0) == (run.frequency == 0.0) &&
            std::abs(merged.back().frequency - run.frequency) <= kSameToneHz) {
            merged.back().seconds += run.seconds;
        } else {
            merged.push_back(run);
        }
    }
    while (!merged.empty() && merged.front().frequency == 0.0) {
        merged.erase(merged.begin());
    }
    while (!merged.empty() && merged.back().frequency == 0.0) {
        merged.pop_back();
    }
    return merged;
}

double longestGapInSound(const std::vector<std::int16_t>& samples) {
    const auto loud = [](std::int16_t sample) { return std::abs(sample) >= kSoundLevel; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
    std::size_t longest = 0;
    std::size_t current = 0;
    for (auto it = first; it < last; ++it) {
        current = std::abs(*it) < kQuietLevel ? current + 1 : 0;
        longest = std::max(longest, current);
    }
    return static_cast<double>(longest) / SinkRecorder::kRate;
}
