// usage: tone_runs RAW_FILE
// Prints one line "FREQUENCY SECONDS" per stretch of one steady tone in a recording of mono
// signed 16-bit little-endian samples at 44.1 kHz (as parec --raw writes them; a trailing half
// sample of a recording still being written is ignored), silence as frequency 0, leading and
// trailing silence left out.

#include <cstdint>
#include <cstdio>
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
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                               (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    for (const auto& run : bramble::testsupport::toneRuns(samples)) {
        std::printf("%.0f %.2f\n", run.frequency, run.seconds);
    }
    return 0;
}
