#pragma once

#include <QProcess>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "platform/MpvLibrary.h"
#include "platform/MpvPlayer.h"

// The fixture files (tests/fixtures), by path below the fixture folder.
QString fixture(const QString& relativePath);
inline QString tone440() {
    return fixture(QStringLiteral("audio/tone_440hz_1s.mp3"));
}
inline QString tone660() {
    return fixture(QStringLiteral("audio/tone_660hz_1s.mp3"));
}
inline QString tone990() {
    return fixture(QStringLiteral("audio/tone_990hz_1s.mp3"));
}
inline QString longTone550() {
    return fixture(QStringLiteral("audio/tone_550hz_4s.mp3"));
}
inline QString notAudio() {
    return fixture(QStringLiteral("audio/not_audio.mp3"));
}
inline QString playlistInDisguise() {
    return fixture(QStringLiteral("audio/playlist_in_disguise.mp3"));
}

// Runs the event loop until the condition holds or the deadline passes. Deadlines are generous:
// they only bound a failing test, they never measure anything.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 10000);
// Runs the event loop for a while, for checks that something does NOT happen.
void runEventsFor(int milliseconds);

// CPU time of the whole process (every thread, mpv's included), in seconds.
double processCpuSeconds();

// Records what the sound server's null sink plays, as mono 16-bit samples at 44.1 kHz.
class SinkRecorder {
public:
    static constexpr int kRate = 44100;

    // The monitor source of the default sink when that sink is a null sink (so nothing else is
    // heard); empty when there is no such server (then `reason` says why).
    static QString nullSinkMonitor(QString* reason);

    SinkRecorder();
    ~SinkRecorder();
    SinkRecorder(const SinkRecorder&) = delete;
    SinkRecorder& operator=(const SinkRecorder&) = delete;

    bool start(const QString& source);
    // Waits until sound has been heard and been followed by `quietMs` of silence.
    bool waitForSoundThenQuiet(int quietMs = 400, int timeoutMs = 15000);
    const std::vector<std::int16_t>& samples() const { return samples_; }

private:
    void readAvailable();

    std::unique_ptr<QProcess> process_;
    std::vector<std::int16_t> samples_;
    QByteArray pending_;
};

// Keeps a low-latency reader on the null sink's monitor for the whole run. Without one the null
// sink buffers about two seconds, so positions stand still for that long after each start and
// recordings are shifted.
class NullSinkPacer : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

private:
    std::unique_ptr<QProcess> reader_;
};

// A stretch of the recording holding one steady tone (or silence: frequency 0).
struct ToneRun {
    double frequency = 0.0;
    double seconds = 0.0;
};

// The recording cut into 40 ms windows, each classed as silence or as the tone of its
// zero-crossing rate, and runs of equal class merged (windows where one tone turns into
// another are dropped). Leading and trailing silence are left out.
std::vector<ToneRun> toneRuns(const std::vector<std::int16_t>& samples);
// The longest stretch of silent samples between the first and the last sound, in seconds.
double longestGapInSound(const std::vector<std::int16_t>& samples);

// One real player on the real library.
class MpvPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(library.load()) << library.errorText().toStdString(); }

    MpvLibrary library;
    MpvPlayer player{library};
};
