#pragma once

#include <gtest/gtest.h>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "SinkRecording.h"
#include "ToneAnalysis.h"
#include "fakes/ProgramFixture.h"
#include "fakes/WaitUntil.h"
#include "platform/MpvLibrary.h"
#include "platform/MpvPlayer.h"

using bramble::testsupport::pactl;
using bramble::testsupport::ToneRun;

inline QString fixture(const QString& relativePath) {
    return QStringLiteral(BRAMBLE_FIXTURES "/") + relativePath;
}
inline const QString tone440 = fixture("audio/tone_440hz_1s.mp3");
inline const QString tone660 = fixture("audio/tone_660hz_1s.mp3");
inline const QString tone990 = fixture("audio/tone_990hz_1s.mp3");
inline const QString taggedTone880 = fixture("audio/tone_880hz_1s_tagged.mp3");
inline const QString longTone550 = fixture("audio/tone_550hz_4s.mp3");
inline const QString longTone770 = fixture("audio/tone_770hz_12s.mp3");
inline const QString notAudio = fixture("audio/not_audio.mp3");

// Whether the default sink's volume comes to `percent` (within 1).
::testing::AssertionResult sinkReaches(int percent);

// What the null sink plays from construction on. Without a null sink nothing is heard: a test
// then skips its checks of the sound, saying `why`.
class Listening {
public:
    Listening();
    bool on() const { return on_; }
    // The tones heard once the sound has gone quiet.
    std::vector<ToneRun> tones();
    const std::vector<std::int16_t>& samples() const { return recorder_.samples(); }

    QString why;

private:
    bramble::testsupport::SinkRecorder recorder_;
    bool on_ = false;
};

// Whether the tones are these frequencies, in this order, and nothing else.
::testing::AssertionResult tonesAre(const std::vector<ToneRun>& tones,
                                    const std::vector<double>& frequencies);

class MpvPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(library.load()) << library.errorText().toStdString(); }

    MpvLibrary library;
    MpvPlayer player{library};
};

// The program with real players on the real libmpv in place of the fakes.
class RealPlayersFixture : public ProgramFixture {
protected:
    RealPlayersFixture() {
        realPlayers = [this] { return std::make_unique<MpvPlayer>(library); };
    }
    // The players must go before the library they were made from.
    ~RealPlayersFixture() override { program.reset(); }

    MpvLibrary library;
};
