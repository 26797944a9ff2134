#include "MpvTestSupport.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>

std::optional<QString> pactl(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("pactl"), arguments);
    if (!process.waitForFinished(5000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

::testing::AssertionResult sinkReaches(int percent) {
    // pactl's line reads "front-left: 32768 /  50% / ...".
    const QRegularExpression volume(QStringLiteral("/\\s*(\\d+)%"));
    QString line;
    const bool reached = waitUntil([&] {
        line = pactl({"get-sink-volume", "@DEFAULT_SINK@"}).value_or(QString());
        const QRegularExpressionMatch match = volume.match(line);
        return match.hasMatch() && std::abs(match.captured(1).toInt() - percent) <= 1;
    });
    return (reached ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
           << "the sink reads " << line.toStdString();
}

void recordSink(QProcess& parec, const QString& output) {
    parec.setStandardOutputFile(output);
    parec.start("parec", {"-d", "nullsink.monitor", "--raw", "--format=s16le", "--rate=44100",
                          "--channels=1", "--latency-msec=20"});
    parec.waitForStarted();
}

Listening::Listening() {
    if (pactl({"get-default-sink"}).value_or(QString()).trimmed() != "nullsink") {
        why = "the default sink is not ./test's null sink";
        return;
    }
    const QString raw = folder_.filePath("sink.raw");
    recordSink(parec_, raw);
    on_ = waitUntil([&] { return QFileInfo(raw).size() > 0; });
    why = on_ ? QString() : "parec records nothing";
}

Listening::~Listening() {
    parec_.kill();
    parec_.waitForFinished();
}

Heard Listening::heard(bool untilQuiet) const {
    Heard heard;
    const auto judge = [&] {
        QProcess tones;
        tones.start("bash",
                    {BRAMBLE_FIXTURES "/../support/tones.sh", folder_.filePath("sink.raw")});
        tones.waitForFinished(30000);
        heard = {};
        for (const QByteArray& line : tones.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> words = line.split(' ');
            if (words[0] == "gap") {
                heard.gap = words.value(1).toDouble();
                heard.gapAtChange = words.value(2).toDouble();
            } else if (words[0] == "quiet") {
                heard.quiet = words.value(1).toDouble();
            } else if (words.size() == 2) {
                heard.tones.emplace_back(words[0].toDouble(), words[1].toDouble());
            }
        }
        return !untilQuiet || (!heard.tones.empty() && heard.quiet >= 0.4);
    };
    EXPECT_TRUE(waitUntil(
        [&] {
            runEventsFor(200);
            return judge();
        },
        15000));
    return heard;
}

::testing::AssertionResult tonesAre(const Heard& heard, const std::vector<double>& frequencies) {
    bool same = heard.tones.size() == frequencies.size();
    std::string told;
    for (std::size_t i = 0; i < heard.tones.size(); ++i) {
        same = same && std::abs(heard.tones[i].first - frequencies[i]) < 30.0;
        told += " " + std::to_string(std::lround(heard.tones[i].first)) + " Hz for " +
                std::to_string(heard.tones[i].second) + " s;";
    }
    return (same ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
           << "heard" << (told.empty() ? " nothing" : told);
}
