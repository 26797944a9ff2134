#include "platform/WindowSystem.h"

#include <QWidget>

void WindowSystem::setInTaskList(QWidget& /*window*/, bool /*listed*/) {}

QPoint WindowSystem::placeOf(const QWidget& window) const {
    return window.pos();
}

void WindowSystem::stackAbove(QWidget& window, const QWidget& /*sibling*/) {
    window.raise();
}

void WindowSystem::bringToFront(QWidget& window) {
    window.raise();
    window.activateWindow();
}
