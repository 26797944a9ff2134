#pragma once

#include <QObject>

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

    // The resize rules, for a window that is minimised or not.
    void applyWindowState(bool minimised);

    bool isDragging() const { return moveDrag_; }

signals:
    // The main window was minimised or came back: the playlist window is shown (made where it
    // is not loaded) or, when the main window came back, hidden; coming back, it is restored.
    void playlistFollows(bool shown, bool restored);

private:
    void connectPressedLooks();
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
