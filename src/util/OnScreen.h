#pragma once

#include <QRect>
#include <QWidget>
#include <algorithm>

#include "platform/Desktop.h"
#include "util/Twips.h"

// The least move that brings `window` wholly into `area`; one larger than the area keeps its
// top and left edges in it.
inline QPoint placedOnScreen(const QRect& window, const QRect& area) {
    const auto axis = [](int position, int size, int first, int end) {
        return std::max(std::min(position, end - size), first);
    };
    return {axis(window.x(), window.width(), area.x(), area.x() + area.width()),
            axis(window.y(), window.height(), area.y(), area.y() + area.height())};
}

// A window's place is that of its client area, as the designed places are given.
inline void moveClientAreaTo(QWidget& window, QPoint place) {
    if (window.geometry().topLeft() != place) {
        window.setGeometry(QRect(place, window.size()));
    }
}

// A window at its designed place that would stand partly off the screen, or under one of the
// desktop's panels, moves the least distance that brings it wholly on.
inline void keepOnScreen(QWidget& window, const Desktop& desktop) {
    moveClientAreaTo(window, placedOnScreen(window.geometry(), desktop.availableGeometry()));
}

// Two rules centre a window on the whole screen, kept apart as each window's place has always
// come out of its own: a size in pixels halves the remainder and drops any half pixel; a size
// designed in twips is centred in twips and rounded once, halves to even.
inline QPoint centredOnScreen(QSize size, const Desktop& desktop) {
    const QSize screen = desktop.screenSize();
    return {(screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2};
}

// A window of the given size (twips) centred on the screen, then kept wholly on it.
inline void centreOnScreenTwips(QWidget& window, double widthTwips, double heightTwips,
                                const Desktop& desktop) {
    const double tx = desktop.twipsPerPixelX();
    const double ty = desktop.twipsPerPixelY();
    const QPoint place(twips::toPixels((desktop.screenSize().width() * tx - widthTwips) / 2, tx),
                       twips::toPixels((desktop.screenSize().height() * ty - heightTwips) / 2, ty));
    window.setGeometry(QRect(place, twips::size(widthTwips, heightTwips, desktop)));
    keepOnScreen(window, desktop);
}
