#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace bramble::testsupport {

// What pactl prints, or nothing when no sound server answers.
std::optional<QString> pactl(const QStringList& arguments);

// Records what the sound server's null sink plays (ToneAnalysis.h); the samples arrive through
// the Qt event loop.
class SinkRecorder {
public:
    // The default sink's monitor when that sink is a null sink (so nothing else is heard);
    // otherwise empty, and `reason` says why.
    static QString nullSinkMonitor(QString* reason);

    SinkRecorder() = default;
    ~SinkRecorder();
    SinkRecorder(const SinkRecorder&) = delete;
    SinkRecorder& operator=(const SinkRecorder&) = delete;

    bool start(const QString& source);
    // Runs the event loop until the first samples came, so that nothing played later is missed.
    bool waitUntilRecording(int timeoutMs = 5000);
    // Runs the event loop until sound has been heard and then `quietMs` of silence.
    bool waitForSoundThenQuiet(int quietMs = 400, int timeoutMs = 15000);
    const std::vector<std::int16_t>& samples() const { return samples_; }

private:
    QProcess process_;
    std::vector<std::int16_t> samples_;
    QByteArray pending_;
};

// A low-latency reader on a null sink's monitor while it lives. Without one the null sink
// buffers about two seconds, so positions stand still after each start and recordings shift.
class SinkPacer {
public:
    explicit SinkPacer(const QString& monitor);
    ~SinkPacer();
    SinkPacer(const SinkPacer&) = delete;
    SinkPacer& operator=(const SinkPacer&) = delete;

    bool running() const { return reader_.state() == QProcess::Running; }

private:
    QProcess reader_;
};

}  // namespace bramble::testsupport
