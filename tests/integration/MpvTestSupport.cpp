#include "MpvTestSupport.h"

#include <sys/resource.h>

QString fixture(const QString& relativePath) {
    return QStringLiteral(BRAMBLE_FIXTURES "/") + relativePath;
}

double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void NullSinkPacer::SetUp() {
    QString reason;
    const QString monitor = SinkRecorder::nullSinkMonitor(&reason);
    if (!monitor.isEmpty()) {
        pacer_ = std::make_unique<bramble::testsupport::SinkPacer>(monitor);
    }
}

void NullSinkPacer::TearDown() {
    pacer_.reset();
}
