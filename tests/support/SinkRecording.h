#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace bramble::testsupport {

// Records what the sound server's null sink plays, as mono 16-bit samples at kRecordingRate
// (ToneAnalysis.h). Samples arrive through the Qt event loop.
class SinkRecorder {
public:
    // The monitor source of the default sink when that sink is a null sink (so nothing else is
    // heard); empty when there is no such server (then `reason` says why).
    static QString nullSinkMonitor(QString* reason);

    SinkRecorder();
    ~SinkRecorder();
    SinkRecorder(const SinkRecorder&) = delete;
    SinkRecorder& operator=(const SinkRecorder&) = delete;

    bool start(const QString& source);
    // Runs the event loop until the recorder has delivered its first samples, so that nothing
    // played afterwards is missed.
    bool waitUntilRecording(int timeoutMs = 5000);
    // Runs the event loop until sound has been heard and been followed by `quietMs` of silence.
    bool waitForSoundThenQuiet(int quietMs = 400, int timeoutMs = 15000);
    const std::vector<std::int16_t>& samples() const { return samples_; }

private:
    void readAvailable();

    std::unique_ptr<QProcess> process_;
    std::vector<std::int16_t> samples_;
    QByteArray pending_;
};

// Keeps a low-latency reader on a null sink's monitor for as long as it lives. Without one the
// null sink buffers about two seconds, so positions stand still for that long after each start
// and recordings are shifted.
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
