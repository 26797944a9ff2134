#pragma once

#include <cstdint>
#include <vector>

namespace bramble::testsupport {

// Recordings are mono 16-bit samples at this rate.
constexpr int kRecordingRate = 44100;

// A stretch of one steady tone, or of silence (frequency 0).
struct ToneRun {
    double frequency = 0.0;
    double seconds = 0.0;
};

// The recording in 40 ms windows, each silence or the tone of its zero-crossing rate, runs of
// equal class merged; the windows where one tone turns into another, and leading and trailing
// silence, left out.
std::vector<ToneRun> toneRuns(const std::vector<std::int16_t>& samples);

// The tones in order, without the silences: a tone broken by a moment of silence (a busy machine
// may drop one) counts once.
std::vector<ToneRun> tonesHeard(const std::vector<std::int16_t>& samples);

// The longest silence between the first and the last sound, in seconds.
double longestGapInSound(const std::vector<std::int16_t>& samples);
// The same, counting only silences where one tone gives way to another.
double longestGapBetweenTones(const std::vector<std::int16_t>& samples);

bool isSound(std::int16_t sample);

}  // namespace bramble::testsupport
