// Tells which tones a recording of the sound server holds, in order, so that a shell test can
// check what was audible.
//
// usage: tone_runs RAW_FILE
// RAW_FILE: mono signed 16-bit little-endian samples at 44.1 kHz, as parec --raw writes them (a
// recording still being written is fine: a trailing half sample is ignored).
// Prints one line "FREQUENCY SECONDS" per stretch of one steady tone, silence as frequency 0,
// leading and trailing silence left out.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "ToneAnalysis.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tone_runs RAW_FILE\n");
        return 1;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "tone_runs: cannot read %s\n", argv[1]);
        return 1;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                               (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    for (const auto& run : bramble::testsupport::toneRuns(samples)) {
        std::printf("%.0f %.2f\n", run.frequency, run.seconds);
    }
    return 0;
}
