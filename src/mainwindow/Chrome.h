#pragma once

#include <QObject>
#include <QPointF>

class MainWindow;
class SkinLabel;
class SkinFrame;

// The main window's own behaviour: the pressed looks of its label buttons, dragging the
// window by its title, minimising, the resize rules and the scrolling title.
class Chrome : public QObject {
    Q_OBJECT
public:
    static constexpr double kDragTopOffset = 100;  // twips between the window top and the mouse

    explicit Chrome(MainWindow& form);

    // Sets the track title and starts or stops the marquee for its width.
    void setTrackTitle(const QString& title);
    // After a change of title: a title wider than the window gets the separator and scrolls,
    // a narrower one stands still.
    void updateMarquee();

    void startDrag(Qt::MouseButton button, QPointF twipsPos);
    void endDrag();
    void moveWithMouse();
    void minimise();
    void applyWindowState();
    void scrollTitle() const;

    bool isDragging() const { return moveDrag_; }

private:
    void connectPressedLooks();
    void dockPlaylistForDrag();
    // The resize rules, for a window that is minimised or not.
    void resizeSteps(bool minimised);
    // A drag's docking after the release, while the docking timer is off.
    void settleAfterDrag();

    MainWindow& form_;
    bool moveDrag_ = false;
    double grabX_ = 0;
    bool grabYFlag_ = false;
    // Drag ticks still to come after the release with nothing to move.
    int settleTicks_ = 0;
    static constexpr int kSettleTicks = 20;
};
