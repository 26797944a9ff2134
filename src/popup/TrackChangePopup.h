#pragma once

#include <QString>
#include <QWidget>

#include "skin/SkinLabel.h"
#include "skin/SkinShapes.h"
#include "skin/WindowTimer.h"

class Program;

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

    explicit TrackChangePopup(Program& program);
    ~TrackChangePopup() override;

    void copyClock();
    void slideStep();
    void scrollTitle();
    // The click on the popup and on each of its labels.
    void dismiss();

    // Stops all three timers for good: an unloaded popup does nothing more.
    void stopTimers();

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

protected:
    void showEvent(QShowEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void placeOffScreen();
    void comeToFront();
    void arrive();
    void setLeft(double left);
    double screenWidth() const;
    // A tick of a popup that is not on screen puts its timer to sleep until the popup shows.
    bool sleepWhileHidden(WindowTimer& timer);

    Program& program_;
    double left_ = 0;
    double top_ = 0;
    bool slideIn_ = true;
};

// Shows the popup, loading it if needed, with this title.
void showPopup(Program& program, const QString& title);
// At a change of track: the popup closes unless it stays open, and shows the title when the
// option says so; its slide timer runs in any case.
void announceTrackChange(Program& program, const QString& title);
// The popup's title, without showing it.
void setPopupTitle(Program& program, const QString& title);
