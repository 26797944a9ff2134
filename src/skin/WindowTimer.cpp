#include "skin/WindowTimer.h"

#include <algorithm>

WindowTimer::WindowTimer(int interval, bool enabled, QObject* parent)
    : QObject(parent), interval_(interval), enabled_(enabled) {
    timer_.setTimerType(Qt::CoarseTimer);
    connect(&timer_, &QTimer::timeout, this, &WindowTimer::timeout);
    update();
}

void WindowTimer::setInterval(int ms) {
    interval_ = ms;
    update();
}

void WindowTimer::setEnabled(bool on) {
    enabled_ = on;
    asleep_ = false;
    update();
}

void WindowTimer::sleepUntilWoken() {
    asleep_ = true;
    timer_.stop();
}

void WindowTimer::wake() {
    if (asleep_) {
        asleep_ = false;
        update();
    }
}

void WindowTimer::update() {
    if (!enabled_ || interval_ <= 0 || asleep_) {
        timer_.stop();
        return;
    }
    const int effective = std::max(interval_, kShortestInterval);
    // Re-arming a running timer with the same interval would only delay its next tick.
    if (timer_.isActive() && timer_.interval() == effective) {
        return;
    }
    timer_.start(effective);
}
