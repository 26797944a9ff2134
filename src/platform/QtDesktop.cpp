#include "platform/QtDesktop.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace {
constexpr double kFallbackDpi = 96.0;
}

QPoint QtDesktop::cursorPos() const {
    return QCursor::pos();
}

QSize QtDesktop::screenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->size() : QSize(1024, 768);
}

QRect QtDesktop::availableGeometry() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(QPoint(0, 0), screenSize());
}

double QtDesktop::logicalDpiX() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr && screen->logicalDotsPerInchX() > 0 ? screen->logicalDotsPerInchX()
                                                                  : kFallbackDpi;
}

double QtDesktop::logicalDpiY() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr && screen->logicalDotsPerInchY() > 0 ? screen->logicalDotsPerInchY()
                                                                  : kFallbackDpi;
}
