#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <QWindow>

class MainWindow;
class WindowSystem;

// The playlist window docked under the main window. The docking timer keeps it there; a tick
// that finds it in place lets the timer sleep until one of the two windows moves or changes
// size, or the screen does: until then every tick would find the same, and an idle player would
// wake up 66 times a second for it. Start-up and each activation of the main window coming from
// another window of the program place the playlist window into the main window's bottom edge
// and cut the main window's height (a return from another program is no such activation:
// reacting to it made the playlist window jump by the overlap at every switch back).
class Docking : public QObject {
    Q_OBJECT
public:
    // Twips by which start-up and activation place the playlist window into the main window's
    // bottom edge; the docking tick moves it straight under it again.
    static constexpr double kActivationOverlap = 300;
    // The main window's height is cut to this at each activation.
    static constexpr double kMaxMainHeight = 2355;

    Docking(MainWindow& form, const WindowSystem& windows);

    // The playlist window while one is loaded; nullptr: none is.
    void setPlaylist(QWidget* playlist);
    QWidget* playlist() const { return playlist_; }

    // Each tick of the docking timer: keeps the playlist window under the main window, taking
    // the main window's left only while that does not exceed half the screen width less half
    // the main window's top. Says whether to look again at the next tick.
    bool dock();
    // Puts the playlist window at its place under the main window (pixels), as the docking tick
    // does, and checks that the window manager left both windows where the program put them. A
    // window manager keeps windows partly inside the work area (near the bottom edge the
    // playlist window may not go under the main window) or clear of its panels, and may not say
    // so: where it holds a window elsewhere for long enough, the docking gives in to it and
    // never lets the two overlap. Says whether to look again at the next tick.
    bool dockAt(QPoint under);
    // While the main window is dragged: the playlist window goes straight under it.
    void followDrag();

    // Puts a loaded playlist window into the main window's bottom edge.
    void placeOverlapping();
    // A playlist window that is shown: into the bottom edge, at the main window's left only
    // where the docking would take it.
    void placeShown();
    // Moves the main window, at its designed place, the least distance that brings it wholly
    // on the screen, with the playlist window under it where that is shown.
    void placeOnScreen();
    // Each activation of the main window.
    void runActivationSteps();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    float limit() const;
    // The main window's bottom edge, `above` twips higher, in pixels.
    int bottomPixels(double above) const;
    // Moves the loaded playlist window where it docks from `under`, unless it is there.
    void moveToDock(QPoint under);

    MainWindow& form_;
    const WindowSystem& windows_;
    QPointer<QWidget> playlist_;
    QPointer<QWindow> previousFocus_;
    // What the docking saw of the two windows on the screen: where the window manager held
    // them while the playlist window was to go to target, for how many ticks in a row, and the
    // place of the playlist window that the main window last moved up onto.
    QPoint target_;
    QPoint mainHeldAt_;
    QPoint listHeldAt_;
    int misses_ = 0;
    QPoint gaveInAt_{-1, -1};
};
