#pragma once

#include <QRect>
#include <QWidget>
#include <algorithm>

#include "platform/Desktop.h"

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
