#pragma once

#include <QObject>
#include <QString>

class MainWindow;
class Program;

// Play, pause, stop, next and previous, play the selected line, open a single file, the
// order of play and the advance at the end of a file. Playback never stops by itself: both
// orders wrap around.
class Transport : public QObject {
    Q_OBJECT
public:
    explicit Transport(MainWindow& form);

    // One step forward in the current order, then start that entry.
    void stepForward();
    // Start the entry selected in the playlist window.
    void playSelectedLine();

    void playNext();
    void playNextFromMenu();
    void playPrevious();
    void playPreviousFromMenu();
    void playFollowing();

    void play();
    void togglePause();
    void stop();
    void pauseFromMenu();
    void resumeFromMenu();

    void openAndPlay();       // choose a single file and play it
    void openFileSilently();  // choose a single file, loaded but silent
    // "Open" with a file chosen elsewhere (a full path to an MP3 file).
    void playSingleFile(const QString& path);

    void chooseNormalOrder();
    void chooseShuffleOrder();
    void chooseNormalOrderFromMenu();
    void chooseShuffleOrderFromMenu();

    // Whether the pause and stop buttons take a click now.
    bool canPause() const;
    bool canStop() const;

    // Shows the player's state on the tray items "Pause" and "Wiedergeben".
    void updateTrayItemsFromFile();

    // Tells the player which file the next step would take, so that it can run straight
    // into it at the end of the current one. Called whenever that file may have changed.
    void queueFollowing();

signals:
    // The playlist, the order of play or the current step changed: the entry the next (or
    // previous) step would take may be another.
    void followingChanged();
    // The order of play was chosen (the same or another).
    void orderChosen();
    // "Open" ran, chosen or cancelled.
    void singleFileChosen();
    // The tip of the tray icon shows a new title.
    void trayTipChanged(const QString& title);
    // A track change: the quick-info popup closes unless it stays open, and shows the title
    // when the option says so.
    void announceTrackChange(const QString& title);
    // The quick-info popup's title text, without showing it.
    void popupTitleChanged(const QString& title);

private:
    void updateMarquee();
    void updateButtons();
    void enableTransportButtons();
    void openSingleFile();
    void loadSingleFile(const QString& path, const QString& title);
    void setNormalOrder();
    void setShuffleOrder();

    MainWindow& form_;
    Program& program_;
};
