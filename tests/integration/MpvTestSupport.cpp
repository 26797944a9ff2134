#include "MpvTestSupport.h"

#include <QRegularExpression>
#include <cmath>

::testing::AssertionResult sinkReaches(int percent) {
    // pactl's line reads "front-left: 32768 /  50% / ...".
    const QRegularExpression volume(QStringLiteral("/\\s*(\\d+)%"));
    QString line;
    const bool reached = waitUntil([&] {
        line = pactl({QStringLiteral("get-sink-volume"), QStringLiteral("@DEFAULT_SINK@")})
                   .value_or(QString());
        const QRegularExpressionMatch match = volume.match(line);
        return match.hasMatch() && std::abs(match.captured(1).toInt() - percent) <= 1;
    });
    return (reached ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
           << "the sink reads " << line.toStdString();
}

Listening::Listening() {
    const QString monitor = bramble::testsupport::SinkRecorder::nullSinkMonitor(&why);
    on_ = !monitor.isEmpty() && recorder_.start(monitor) && recorder_.waitUntilRecording();
}

std::vector<ToneRun> Listening::tones() {
    EXPECT_TRUE(recorder_.waitForSoundThenQuiet());
    return bramble::testsupport::tonesHeard(recorder_.samples());
}

::testing::AssertionResult tonesAre(const std::vector<ToneRun>& tones,
                                    const std::vector<double>& frequencies) {
    bool same = tones.size() == frequencies.size();
    std::string heard;
    for (std::size_t i = 0; i < tones.size(); ++i) {
        same = same && std::abs(tones[i].frequency - frequencies[i]) < 30.0;
        heard += " " + std::to_string(std::lround(tones[i].frequency)) + " Hz for " +
                 std::to_string(tones[i].seconds) + " s;";
    }
    return (same ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
           << "heard" << (heard.empty() ? " nothing" : heard);
}
