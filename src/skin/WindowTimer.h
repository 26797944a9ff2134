#pragma once

#include <QObject>
#include <QTimer>

// A window timer with an interval and an enabled switch: it ticks only while it is enabled
// and its interval is above 0. Intervals below the desktop's usual tick of 15 ms run at 15 ms,
// so a "1 ms" timer does not keep a core busy.
class WindowTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int kShortestInterval = 15;

    WindowTimer(int interval, bool enabled, QObject* parent = nullptr);

    void setInterval(int ms);
    int interval() const { return interval_; }
    void setEnabled(bool on);
    bool isEnabled() const { return enabled_; }
    bool isRunning() const { return timer_.isActive(); }

    // Stops ticking while staying enabled, until wake(): for a timer whose ticks would change
    // nothing until something else happens.
    void sleepUntilWoken();
    void wake();

signals:
    void timeout();

private:
    void update();

    QTimer timer_;
    int interval_;
    bool enabled_;
    bool asleep_ = false;
};
