#pragma once

#include <QObject>
#include <QPointer>
#include <QWindow>

class Program;

// Runs the main window's activation steps when the main window becomes the active window
// coming from another window of the program. A return from another program is no such
// activation: reacting to it made the playlist window jump by the overlap for a moment at
// every switch back to the player.
class MainActivation : public QObject {
    Q_OBJECT
public:
    explicit MainActivation(Program& program, QObject* parent = nullptr);

    // The program's active window changed; nullptr: another program is active now.
    void focusWindowChanged(QWindow* now);

private:
    Program& program_;
    QPointer<QWindow> previous_;
};
