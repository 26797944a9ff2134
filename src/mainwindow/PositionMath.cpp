#include "mainwindow/PositionMath.h"

#include <algorithm>
#include <cmath>

#include "util/Twips.h"

namespace position {

namespace {

constexpr double kTipRightMargin = 100;
// Far beyond any track, and well inside the range of a whole number.
constexpr double kLongestTime = 1e9;

bool lengthKnown(double duration) {
    return std::isfinite(duration) && duration > 0;
}

}  // namespace

QString timeText(double seconds) {
    const int whole = seconds > 0 ? twips::roundEven(std::min(seconds, kLongestTime)) : 0;
    return QStringLiteral("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
}

double notchLeftForPosition(const BarGeometry& bar, double position, double duration) {
    if (!lengthKnown(duration)) {
        return bar.trackLeft;
    }
    // The notch is a single-precision property: stored so, it reads back the same on release.
    return static_cast<float>(bar.travel() * (position / duration) + bar.trackLeft);
}

double notchLeftForMouse(const BarGeometry& bar, double mouseX, double formLeft) {
    return static_cast<float>(
        bar.clamp(mouseX - formLeft - bar.trackLeft - bar.thumbWidth + kDragOffset));
}

double notchFraction(const BarGeometry& bar, double notchLeft) {
    return bar.travel() > 0 ? (notchLeft - bar.trackLeft) / bar.travel() : 0.0;
}

QString seekTipText(double duration, double fraction) {
    const double length = lengthKnown(duration) ? duration : 0.0;
    // D x r x 100 / D, as the percentage has always been worked out; r x 100 without a length.
    const double percent = length > 0 ? length * fraction * 100 / length : fraction * 100;
    return timeText(length * fraction) + QLatin1Char('/') + timeText(length) +
           QStringLiteral("  ") + QString::number(static_cast<long>(std::floor(percent))) +
           QLatin1Char('%');
}

double seekTipLeft(const BarGeometry& bar, double notchLeft, double tipWidth, double formWidth) {
    double left = notchLeft + bar.thumbWidth / 2 - tipWidth / 2;
    if (left < 0) {
        left = 0;
    }
    if (formWidth - kTipRightMargin - tipWidth < left) {
        left = formWidth - kTipRightMargin - tipWidth;
    }
    return left;
}

std::optional<double> seekTarget(const BarGeometry& bar, double notchLeft, double duration) {
    if (!lengthKnown(duration) || bar.travel() <= 0) {
        return std::nullopt;
    }
    return duration * (notchLeft - bar.trackLeft) / bar.travel();
}

}  // namespace position
