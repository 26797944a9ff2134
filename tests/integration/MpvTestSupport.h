#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "SinkRecording.h"
#include "ToneAnalysis.h"
#include "fakes/WaitUntil.h"
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
inline QString taggedTone880() {
    return fixture(QStringLiteral("audio/tone_880hz_1s_tagged.mp3"));
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

inline QString longTone770() {
    return fixture(QStringLiteral("audio/tone_770hz_12s.mp3"));
}

// What pactl prints, or nothing when no sound server answers.
std::optional<QString> pactl(const QStringList& arguments);
// The default sink's volume in percent (its first channel); -1 when no server answers.
int sinkPercent();

// CPU time of the whole process (every thread, mpv's included), in seconds.
double processCpuSeconds();

// Recording the null sink and telling its tones apart live in tests/support, shared with the
// end-to-end tests and the benchmarks.
using bramble::testsupport::longestGapInSound;
using bramble::testsupport::SinkRecorder;
using bramble::testsupport::ToneRun;
using bramble::testsupport::toneRuns;

// Keeps the null sink in step for the whole run (see SinkPacer); does nothing where there is no
// null sink to listen to.
class NullSinkPacer : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

private:
    std::unique_ptr<bramble::testsupport::SinkPacer> pacer_;
};

// One real player on the real library.
class MpvPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(library.load()) << library.errorText().toStdString(); }

    MpvLibrary library;
    MpvPlayer player{library};
};
