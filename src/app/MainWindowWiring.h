#pragma once

#include <QObject>
#include <QString>

class Program;
class QCloseEvent;

// What the main window's requests do in the rest of the program: one handler per button, menu
// item or timer, named for what it does. Owned by the main window.
class MainWindowWiring : public QObject {
    Q_OBJECT
public:
    // Connects every request of the main window to its handler.
    explicit MainWindowWiring(Program& program);

    void keepDocked();
    void wakeDockingTimer();
    void exitProgram();  // exit, as exitButton and trayExitItem
    void showPlaylistWindow();
    void hidePlaylistWindow();
    void togglePlaylistSize();
    void clearPlaylist();
    void savePlaylist();
    void insertFolder();
    void openSearch();
    void showHelp();
    void focusPlaylist();
    void confirmClose(QCloseEvent* event);
    void openEngineSoon();
    void showTrackInPopup(const QString& title);
    void retitlePopup(const QString& title);

private:
    void openEngineAndMixer();

    Program& program_;
};
