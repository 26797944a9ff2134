#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The screen and the mouse as the windows' arithmetic needs them.
class Desktop {
public:
    virtual ~Desktop() = default;
    virtual QPoint cursorPos() const = 0;  // screen pixels
    virtual QSize screenSize() const = 0;  // pixels of the primary screen
    // The part of the primary screen that windows may take: without the desktop's panels.
    virtual QRect availableGeometry() const { return {QPoint(0, 0), screenSize()}; }
    virtual double logicalDpiX() const = 0;
    virtual double logicalDpiY() const = 0;

    // 1440 twips per inch.
    double twipsPerPixelX() const { return 1440.0 / logicalDpiX(); }
    double twipsPerPixelY() const { return 1440.0 / logicalDpiY(); }
};
