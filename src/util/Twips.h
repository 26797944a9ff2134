#pragma once

#include <cmath>

// Geometry is kept in twips (1440 per inch) and converted at the widget edge.
namespace twips {

// Nearest whole number, halves to even (the default floating-point rounding mode).
inline int roundEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

inline int toPixels(double twipValue, double twipsPerPixel) {
    return roundEven(twipValue / twipsPerPixel);
}

inline double fromPixels(int pixels, double twipsPerPixel) {
    return pixels * twipsPerPixel;
}

}  // namespace twips

#include <QWidget>

#include "platform/Desktop.h"

// Window geometry in twips, as the docking and drag rules compute it.
namespace twips {

inline double left(const QWidget& w, const Desktop& d) {
    return w.x() * d.twipsPerPixelX();
}
inline double top(const QWidget& w, const Desktop& d) {
    return w.y() * d.twipsPerPixelY();
}
inline double width(const QWidget& w, const Desktop& d) {
    return w.width() * d.twipsPerPixelX();
}
inline double height(const QWidget& w, const Desktop& d) {
    return w.height() * d.twipsPerPixelY();
}

// Moves only when the place differs: an unchanged window costs the window system nothing.
inline void moveTo(QWidget& w, double leftTwips, double topTwips, const Desktop& d) {
    const QPoint target(toPixels(leftTwips, d.twipsPerPixelX()),
                        toPixels(topTwips, d.twipsPerPixelY()));
    if (w.pos() != target) {
        w.move(target);
    }
}
inline void setLeft(QWidget& w, double leftTwips, const Desktop& d) {
    moveTo(w, leftTwips, top(w, d), d);
}
inline void setTop(QWidget& w, double topTwips, const Desktop& d) {
    moveTo(w, left(w, d), topTwips, d);
}
inline void setHeight(QWidget& w, double heightTwips, const Desktop& d) {
    const int h = toPixels(heightTwips, d.twipsPerPixelY());
    if (w.height() != h) {
        w.resize(w.width(), h);
    }
}
// A size given in twips, in pixels.
inline QSize size(double widthTwips, double heightTwips, const Desktop& d) {
    return {toPixels(widthTwips, d.twipsPerPixelX()), toPixels(heightTwips, d.twipsPerPixelY())};
}
inline void setGeometry(QWidget& w, double l, double t, double wd, double h, const Desktop& d) {
    const double tx = d.twipsPerPixelX();
    const double ty = d.twipsPerPixelY();
    w.setGeometry(toPixels(l, tx), toPixels(t, ty), toPixels(wd, tx), toPixels(h, ty));
}

}  // namespace twips
