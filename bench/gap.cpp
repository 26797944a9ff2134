// The silence between two tracks played in a row by the real player (MpvPlayer on libmpv), heard
// on the sound server's null sink. Two roads to the second track are compared:
//  - queued: the second file is named with setNextFileName() while the first plays, and at the
//    end-of-file event the transport's own steps follow (setFileName() of that same file, then
//    play()), which must not restart it;
//  - loaded at the end: nothing is queued; the end-of-file event loads the second file.
// Needs a PulseAudio server whose default sink is a null sink (bench/run provides one). Prints
// the figures; it asserts nothing.
//
// usage: bench_gap [RUNS]

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "SinkRecording.h"
#include "ToneAnalysis.h"
#include "platform/MpvLibrary.h"
#include "platform/MpvPlayer.h"

namespace {

using bramble::testsupport::SinkPacer;
using bramble::testsupport::SinkRecorder;
using bramble::testsupport::ToneRun;

constexpr double kFirstHz = 440.0;
constexpr double kSecondHz = 660.0;
constexpr double kToneToleranceHz = 30.0;
constexpr double kTargetMs = 5.0;
constexpr int kDefaultRuns = 5;

enum class Road { Queued, LoadedAtEnd };

struct Measurement {
    std::optional<double> gapMs;  // empty when the two tones were not heard as expected
    std::string heard;            // the tones of the recording, "Hz/seconds" each
};

QString fixture(const char* name) {
    return QStringLiteral(BRAMBLE_FIXTURES "/audio/") + QLatin1String(name);
}

std::string describe(const std::vector<ToneRun>& runs) {
    std::string text;
    for (const ToneRun& run : runs) {
        std::array<char, 48> item{};
        std::snprintf(item.data(), item.size(), "%s%.0f Hz/%.2f s", text.empty() ? "" : ", ",
                      run.frequency, run.seconds);
        text += item.data();
    }
    return text.empty() ? "nothing" : text;
}

// Plays the two tones with a fresh player and records them.
Measurement playPair(MpvLibrary& library, const QString& monitor, Road road) {
    const QString first = fixture("tone_440hz_1s.mp3");
    const QString second = fixture("tone_660hz_1s.mp3");

    SinkRecorder recorder;
    if (!recorder.start(monitor) || !recorder.waitUntilRecording()) {
        return {std::nullopt, "no recording (parec did not deliver)"};
    }
    MpvPlayer player(library);
    int ends = 0;
    QObject::connect(&player, &MediaPlayer::endOfStream, &player, [&] {
        if (++ends == 1) {
            player.setFileName(second);
            player.play();
        }
    });
    player.setFileName(first);
    if (road == Road::Queued) {
        player.setNextFileName(second);
    }
    player.play();
    const bool finished =
        QTest::qWaitFor([&] { return ends >= 2; }, 15000) && recorder.waitForSoundThenQuiet();

    std::vector<ToneRun> tones = bramble::testsupport::toneRuns(recorder.samples());
    const std::string heard = describe(tones);
    std::erase_if(tones, [](const ToneRun& run) { return run.frequency == 0.0; });
    const bool asExpected = finished && tones.size() == 2 &&
                            std::abs(tones[0].frequency - kFirstHz) <= kToneToleranceHz &&
                            std::abs(tones[1].frequency - kSecondHz) <= kToneToleranceHz;
    if (!asExpected) {
        return {std::nullopt, heard};
    }
    return {bramble::testsupport::longestGapInSound(recorder.samples()) * 1000.0, heard};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

void printRoad(const char* title, const std::vector<Measurement>& measurements) {
    std::printf("%s\n", title);
    std::vector<double> gaps;
    for (std::size_t i = 0; i < measurements.size(); ++i) {
        const Measurement& m = measurements[i];
        if (m.gapMs) {
            gaps.push_back(*m.gapMs);
            std::printf("  run %zu: %7.2f ms   (heard %s)\n", i + 1, *m.gapMs, m.heard.c_str());
        } else {
            std::printf("  run %zu: not measured, heard %s\n", i + 1, m.heard.c_str());
        }
    }
    if (gaps.empty()) {
        std::printf("  median: none\n");
    } else {
        std::printf("  median: %.2f ms over %zu runs\n", median(gaps), gaps.size());
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRuns;

    QString reason;
    const QString monitor = SinkRecorder::nullSinkMonitor(&reason);
    if (monitor.isEmpty()) {
        std::fprintf(stderr, "bench_gap: %s\n", qPrintable(reason));
        return 1;
    }
    MpvLibrary library;
    if (!library.load()) {
        std::fprintf(stderr, "bench_gap: %s\n", qPrintable(library.status().detail));
        return 1;
    }
    const SinkPacer pacer(monitor);
    if (!pacer.running()) {
        std::fprintf(stderr, "bench_gap: parec could not read %s\n", qPrintable(monitor));
        return 1;
    }

    // The roads take turns, so that a busy moment of the machine hits both alike.
    std::vector<Measurement> queued;
    std::vector<Measurement> loadedAtEnd;
    for (int i = 0; i < runs; ++i) {
        queued.push_back(playPair(library, monitor, Road::Queued));
        loadedAtEnd.push_back(playPair(library, monitor, Road::LoadedAtEnd));
    }

    std::printf(
        "Silence between two tracks played in a row (%.0f Hz, then %.0f Hz, 1 s each), "
        "recorded from %s;\none sample (%.3f ms) is the least a recording shows, a "
        "zero crossing of the tone\n",
        kFirstHz, kSecondHz, qPrintable(monitor), 1000.0 / bramble::testsupport::kRecordingRate);
    printRoad("second track queued while the first plays (the transport's way):", queued);
    std::printf("  target: at most %.0f ms\n", kTargetMs);
    printRoad("second track loaded only at the end-of-file event (for comparison):", loadedAtEnd);
    return 0;
}
