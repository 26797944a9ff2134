#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "skin/SkinLabel.h"
#include "skin/SkinShapes.h"
#include "skin/WindowTimer.h"

class Desktop;
class SettingsModel;

// The quick-info popup: a small borderless window that slides in at the bottom right of the
// screen with the track's title and the clock of the main window, holds for a while and slides
// out again, or stays with "Immer anzeigen". A click anywhere on it closes it. Its timers run
// only while it is on screen.
class TrackChangePopup : public QWidget {
    Q_OBJECT
public:
    static constexpr double kClientWidth = 3015;
    static constexpr double kClientHeight = 450;
    // A title label wider than this gets the separator and scrolls.
    static constexpr double kTitleWidth = 2700;
    static constexpr double kSlideInStep = 100;
    static constexpr double kSlideOutStep = 150;
    static constexpr double kEdgeGap = 10;
    static constexpr double kAboveScreenBottom = 1000;
    static constexpr int kFirstTick = 200;
    static constexpr int kSlideTick = 10;
    static constexpr int kShortHold = 7000;
    static constexpr int kLongHold = 15000;
    static constexpr int kMarqueeTick = 200;

    // It shows the main window's time (its clock timer is woken when that changes), and stays
    // open while the settings say so.
    TrackChangePopup(const Desktop& desktop, const SettingsModel& settings,
                     std::function<QString()> playTime);

    void copyClock();
    void slideStep();
    void scrollTitle();
    // The click on the popup and each of its labels, the end of the slide out, a new track:
    // the timers stop for good, and the popup asks to be unloaded.
    void unload();

    // The popup's left edge in twips, as the slide keeps it (the window sits on whole pixels).
    double leftTwips() const { return left_; }
    bool slideIn() const { return slideIn_; }

    WindowTimer* clockTimer;
    WindowTimer* slideTimer;
    WindowTimer* marqueeTimer;
    SkinLabel* clock;
    SkinLabel* playGlyph;
    SkinFrame* border;
    SkinLabel* titleLabel;

signals:
    void unloadRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void arrive();
    void setLeft(double left);
    double screenWidth() const;
    // A tick of a popup that is not on screen puts its timer to sleep until the popup shows.
    bool sleepWhileHidden(WindowTimer& timer);

    const Desktop& desktop_;
    const SettingsModel& settings_;
    std::function<QString()> playTime_;
    double left_ = 0;
    double top_ = 0;
    bool slideIn_ = true;
};
