#pragma once

#include <gtest/gtest.h>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>
#include <utility>
#include <vector>

#include "fakes/ProgramFixture.h"
#include "fakes/WaitUntil.h"
#include "platform/MpvLibrary.h"
#include "platform/MpvPlayer.h"

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

// What pactl prints, or nothing when no sound server answers.
std::optional<QString> pactl(const QStringList& arguments);
// Whether the default sink's volume comes to `percent` (within 1).
::testing::AssertionResult sinkReaches(int percent);
// Reads the null sink of ./test's sound server into `output` with a low latency: without such a
// reader the sink runs up to two seconds ahead, and positions stand still after each start.
void recordSink(QProcess& parec, const QString& output);

// What the null sink played, as tests/support/tones.sh judges it.
struct Heard {
    std::vector<std::pair<double, double>> tones;  // frequency, seconds
    double gap = 1.0;                              // the longest silence within the sound
    double gapAtChange = 1.0;                      // the same where one tone gives way to another
    double quiet = 0.0;                            // silence at the end
};

// What the null sink plays from construction on. Without the null sink nothing is heard: a test
// then skips its checks of the sound, saying `why`.
class Listening {
public:
    Listening();
    ~Listening();
    Listening(const Listening&) = delete;
    Listening& operator=(const Listening&) = delete;
    bool on() const { return on_; }
    // What was heard once the sound has gone quiet, or (`untilQuiet` false) so far.
    Heard heard(bool untilQuiet = true) const;

    QString why;

private:
    QTemporaryDir folder_;
    QProcess parec_;
    bool on_ = false;
};

// Whether the tones are these frequencies, in this order, and nothing else.
::testing::AssertionResult tonesAre(const Heard& heard, const std::vector<double>& frequencies);

class MpvPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(library.load()) << library.status().detail.toStdString(); }

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
