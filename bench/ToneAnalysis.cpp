#include "ToneAnalysis.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace bramble::testsupport {

namespace {

constexpr int kWindow = kRecordingRate / 25;  // 40 ms
constexpr double kSilentRms = 300.0;
constexpr double kSameToneHz = 30.0;
constexpr int kSoundLevel = 1000;  // the tones peak at 16384
constexpr int kQuietLevel = 100;
// What a dropped moment leaves: samples of (next to) nothing, for longer than a tone's samples
// are near zero where it crosses it.
constexpr int kDroppedLevel = 4;
constexpr int kDroppedSamples = 8;
constexpr double kMomentSeconds = 0.3;  // the longest silence that may break a tone

double rootMeanSquare(const std::int16_t* samples, int count) {
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
    }
    return std::sqrt(sum / count);
}

// Over the samples that sound: a busy machine may drop a few milliseconds of a tone, and the
// silence put in their place neither crosses zero nor counts as time.
double zeroCrossingFrequency(const std::int16_t* samples, int count) {
    int crossings = 0;
    int sounding = 0;
    int quiet = 0;
    bool wasNegative = false;
    for (int i = 0; i < count; ++i) {
        if (std::abs(samples[i]) < kDroppedLevel) {
            ++quiet;
            continue;
        }
        const bool negative = samples[i] < 0;
        const bool joined = sounding > 0 && quiet < kDroppedSamples;
        crossings += joined && negative != wasNegative ? 1 : 0;
        sounding += 1 + (joined ? quiet : 0);
        wasNegative = negative;
        quiet = 0;
    }
    return sounding == 0 ? 0.0 : crossings / 2.0 * kRecordingRate / sounding;
}

bool sameTone(double a, double b) {
    return std::abs(a - b) <= kSameToneHz;
}

// A run's tone is the mean over its windows, not its first window's, which may be cut short.
void extend(ToneRun& run, const ToneRun& more) {
    const double seconds = run.seconds + more.seconds;
    run.frequency = (run.frequency * run.seconds + more.frequency * more.seconds) / seconds;
    run.seconds = seconds;
}

// The longest quiet stretch between the first and the last sound that `counts(start, end)`.
template <typename Counts>
double longestQuiet(const std::vector<std::int16_t>& samples, Counts counts) {
    const auto first = std::find_if(samples.begin(), samples.end(), isSound);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), isSound).base();
    std::ptrdiff_t longest = 0;
    for (auto it = first; it < last;) {
        const auto end =
            std::find_if(it, last, [](std::int16_t s) { return std::abs(s) >= kQuietLevel; });
        if (end - it > longest && counts(it - samples.begin(), end - samples.begin())) {
            longest = end - it;
        }
        it = end == it ? it + 1 : end;
    }
    return static_cast<double>(longest) / kRecordingRate;
}

}  // namespace

bool isSound(std::int16_t sample) {
    return std::abs(sample) >= kSoundLevel;
}

std::vector<ToneRun> toneRuns(const std::vector<std::int16_t>& samples) {
    const auto append = [](std::vector<ToneRun>& runs, const ToneRun& run) {
        if (!runs.empty() && (runs.back().frequency == 0.0) == (run.frequency == 0.0) &&
            sameTone(runs.back().frequency, run.frequency)) {
            extend(runs.back(), run);
        } else {
            runs.push_back(run);
        }
    };
    std::vector<ToneRun> runs;
    for (std::size_t start = 0; start + kWindow <= samples.size(); start += kWindow) {
        const std::int16_t* const window = samples.data() + start;
        append(runs, {rootMeanSquare(window, kWindow) < kSilentRms
                          ? 0.0
                          : zeroCrossingFrequency(window, kWindow),
                      static_cast<double>(kWindow) / kRecordingRate});
    }
    // Windows that straddle two tones read as a short third one.
    std::erase_if(runs,
                  [](const ToneRun& run) { return run.frequency != 0.0 && run.seconds < 0.1; });
    std::vector<ToneRun> merged;  // without leading and trailing silence
    for (const ToneRun& run : runs) {
        if (!merged.empty() || run.frequency != 0.0) {
            append(merged, run);
        }
    }
    if (!merged.empty() && merged.back().frequency == 0.0) {
        merged.pop_back();
    }
    return merged;
}

std::vector<ToneRun> tonesHeard(const std::vector<std::int16_t>& samples) {
    std::vector<ToneRun> tones;
    double silence = 0.0;
    for (const ToneRun& run : toneRuns(samples)) {
        if (run.frequency == 0.0) {
            silence = run.seconds;
        } else if (!tones.empty() && silence <= kMomentSeconds &&
                   sameTone(tones.back().frequency, run.frequency)) {
            extend(tones.back(), run);
        } else {
            tones.push_back(run);
        }
    }
    return tones;
}

double longestGapInSound(const std::vector<std::int16_t>& samples) {
    return longestQuiet(samples, [](std::ptrdiff_t, std::ptrdiff_t) { return true; });
}

double longestGapBetweenTones(const std::vector<std::int16_t>& samples) {
    const auto size = static_cast<std::ptrdiff_t>(samples.size());
    return longestQuiet(samples, [&](std::ptrdiff_t start, std::ptrdiff_t end) {
        const std::ptrdiff_t before = std::max<std::ptrdiff_t>(0, start - kWindow);
        const std::ptrdiff_t after = std::min<std::ptrdiff_t>(size, end + kWindow);
        return !sameTone(
            zeroCrossingFrequency(samples.data() + before, static_cast<int>(start - before)),
            zeroCrossingFrequency(samples.data() + end, static_cast<int>(after - end)));
    });
}

}  // namespace bramble::testsupport
