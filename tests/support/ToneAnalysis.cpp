#include "ToneAnalysis.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace bramble::testsupport {

namespace {

constexpr int kWindow = kRecordingRate / 25;  // 40 ms
constexpr double kSilentRms = 300.0;
constexpr double kSameToneHz = 30.0;
constexpr int kSoundLevel = 1000;  // a sample this loud is part of a tone
constexpr int kQuietLevel = 100;   // a sample this quiet is silence (the tones peak at 16384)

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
    return crossings / 2.0 * kRecordingRate / count;
}

}  // namespace

bool isSound(std::int16_t sample) {
    return std::abs(sample) >= kSoundLevel;
}

std::vector<ToneRun> toneRuns(const std::vector<std::int16_t>& samples) {
    std::vector<ToneRun> runs;
    const auto windowSeconds = static_cast<double>(kWindow) / kRecordingRate;
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
    const auto first = std::find_if(samples.begin(), samples.end(), isSound);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), isSound).base();
    std::size_t longest = 0;
    std::size_t current = 0;
    for (auto it = first; it < last; ++it) {
        current = std::abs(*it) < kQuietLevel ? current + 1 : 0;
        longest = std::max(longest, current);
    }
    return static_cast<double>(longest) / kRecordingRate;
}

}  // namespace bramble::testsupport
