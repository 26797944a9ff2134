#pragma once

#include <QObject>

class Program;
class QCloseEvent;

// What the main window's actions and requests do in the rest of the program. Owned by the main
// window.
class MainWindowWiring : public QObject {
    Q_OBJECT
public:
    // Connects every action and request of the main window to what it does.
    explicit MainWindowWiring(Program& program);

    void focusPlaylist();
    void confirmClose(QCloseEvent* event);
    void openEngineSoon();

private:
    void connectActions();
    void openEngineAndMixer();

    Program& program_;
};
