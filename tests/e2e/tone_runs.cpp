// usage: tone_runs RAW_FILE
// Prints one line "FREQUENCY SECONDS" per stretch of one steady tone in a recording of mono
// signed 16-bit native-endian samples at 44.1 kHz (parec --raw --format=s16ne; a trailing half
// sample of a recording still being written is ignored), silence as frequency 0, leading and
// trailing silence left out.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "ToneAnalysis.h"

int main(int argc, char** argv) {
    std::ifstream file(argc == 2 ? argv[1] : "", std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "usage: tone_runs RAW_FILE (a readable one)\n");
        return 1;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
    std::vector<std::int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    for (const auto& run : bramble::testsupport::toneRuns(samples)) {
        std::printf("%.0f %.2f\n", run.frequency, run.seconds);
    }
    return 0;
}
