#pragma once

#include <cstdint>
#include <vector>

namespace bramble::testsupport {

// What the sound server played, as recorded: mono 16-bit samples at this rate.
constexpr int kRecordingRate = 44100;

// A stretch of a recording holding one steady tone (or silence: frequency 0).
struct ToneRun {
    double frequency = 0.0;
    double seconds = 0.0;
};

// The recording cut into 40 ms windows, each classed as silence or as the tone of its
// zero-crossing rate, and runs of equal class merged (windows where one tone turns into
// another are dropped). Leading and trailing silence are left out.
std::vector<ToneRun> toneRuns(const std::vector<std::int16_t>& samples);

// The tones heard, in order, without the silences: a tone broken by a moment of silence (a busy
// machine may drop one) counts once, with the seconds of both parts.
std::vector<ToneRun> tonesHeard(const std::vector<std::int16_t>& samples);

// The longest stretch of silent samples between the first and the last sound, in seconds.
double longestGapInSound(const std::vector<std::int16_t>& samples);

// The same, counting only silences where one tone gives way to another.
double longestGapBetweenTones(const std::vector<std::int16_t>& samples);

// Whether a sample is loud enough to be part of a tone (the fixtures peak at half full scale).
bool isSound(std::int16_t sample);

}  // namespace bramble::testsupport
