#pragma once

#include <QString>
#include <optional>

#include "mainwindow/SlideGeometry.h"

// The arithmetic of the position bar, in twips. Kept apart from the window so that it can be
// checked on its own.
namespace position {

// The bar and the notch that slides along it.
using BarGeometry = SlideGeometry;

// The notch's left edge sits this far right of the mouse's x less the notch width.
constexpr double kDragOffset = 1600;

// "m:ss": whole minutes (never wrapped into hours), then seconds; halves round to even.
QString timeText(double seconds);

// Where the notch shows a position. Unknown length (0): at the bar's left end.
double notchLeftForPosition(const BarGeometry& bar, double position, double duration);

// Where a seek drag puts the notch, held between the bar's two stops. Everything in twips, the
// mouse and the window's left edge in screen twips.
double notchLeftForMouse(const BarGeometry& bar, double mouseX, double formLeft);

// The notch's share of the way along the bar: 0 at the left stop, 1 at the right.
double notchFraction(const BarGeometry& bar, double notchLeft);

// The seek tooltip: "target/length  percent%".
QString seekTipText(double duration, double fraction);

// The tooltip's left edge: centred over the notch, kept inside the window and 100 twips clear
// of its right edge.
double seekTipLeft(const BarGeometry& bar, double notchLeft, double tipWidth, double formWidth);

// The position a release seeks to; nothing when the length is unknown.
std::optional<double> seekTarget(const BarGeometry& bar, double notchLeft, double duration);

}  // namespace position
