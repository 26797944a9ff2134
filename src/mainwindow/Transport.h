#pragma once

#include <QObject>
#include <QString>

class Form1;
class Program;

// Play, pause, stop, next and previous, play the selected line, open a single file, the
// order of play and the advance at the end of a file. Playback never stops by itself: both
// orders wrap around.
class Transport : public QObject {
    Q_OBJECT
public:
    explicit Transport(Form1& form);

    // One step forward in the current order, then start that entry.
    void nexttrack();
    // Start the entry selected in the playlist window.
    void playselected();

    void btnnext_Click();
    void mnunext_Click();
    void btnprev_Click();
    void mnulast_Click();
    void MediaPlayer1_EndOfStream();

    void btnplay_Click();
    void btnpause_Click();
    void btnstop_Click();
    void mnupause_Click();
    void mnuplayagain_Click();

    void Label11_Click();   // choose a single file and play it
    void load_mp3_Click();  // choose a single file, loaded but silent
    // "Open" with a file chosen elsewhere (a full path to an MP3 file).
    void playSingleFile(const QString& path);

    void Label12_Click();
    void Label4_Click();
    void playnormal_Click();
    void playshuffle_Click();

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
    void quickInfoAtTrackChange(const QString& title);
    // The quick-info popup's title text, without showing it.
    void quickInfoTextChanged(const QString& title);

private:
    void titleCheck();
    void buttonCheck();
    void enableTransportButtons();
    void openSingleFile();
    void loadSingleFile(const QString& path, const QString& title);
    void setNormalOrder();
    void setShuffleOrder();

    Form1& form_;
    Program& program_;
};
