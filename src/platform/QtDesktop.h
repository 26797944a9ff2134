#pragma once

#include "platform/Desktop.h"

// The primary screen and the real mouse pointer.
class QtDesktop : public Desktop {
public:
    QPoint cursorPos() const override;
    QSize screenSize() const override;
    QRect availableGeometry() const override;
    double logicalDpiX() const override;
    double logicalDpiY() const override;
};
