#pragma once

#include <QColor>

// The skin's colours, the same in every window.
namespace skincolors {
inline const QColor kBlack(0, 0, 0);
inline const QColor kWhite(255, 255, 255);
inline const QColor kRed(255, 0, 0);
inline const QColor kGreen(0, 255, 0);
inline const QColor kBlue(0, 0, 255);
inline const QColor kCyan(0, 255, 255);
inline const QColor kTooltipBlue(128, 128, 255);
}  // namespace skincolors
