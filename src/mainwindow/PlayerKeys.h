#pragma once

#include <QObject>

class MainWindow;
class QKeyEvent;

// The player's keys. Each does what a click on the matching control of the main window does,
// and only while that control is enabled: Space plays or pauses, Left and Right jump 5 s,
// Up and Down step the volume as the tray does, Ctrl+Left and Ctrl+Right take the previous or
// next track, M mutes, F2 opens the search; the media keys likewise, the play key toggling as
// the play/pause key does.
class PlayerKeys : public QObject {
    Q_OBJECT
public:
    explicit PlayerKeys(MainWindow& form);

    // Acts on a key of the player and tells whether it was one. A key pressed in a list that
    // means something there (Up, Down, Space, letters) is left to the list.
    bool handle(const QKeyEvent& event, bool inList);

private:
    void playOrPause();
    void pauseIfPlaying();
    void stop();
    void previous();
    void next();
    void seekBack();
    void seekForward();
    void volumeUp();
    void volumeDown();
    void toggleMute();
    void search();
    bool playing() const;

    MainWindow& form_;
};
