#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

#include "model/PlaybackModel.h"
#include "platform/MediaPlayer.h"

class FileDialog;
class MessageBoxes;
class PlayerActions;

// Drives the main player from the playback model and the transport's actions: play, pause and
// stop, the steps through the playlist, a line of the playlist window, a single file ("Open",
// Ctrl+M) and the order of play. Playback never stops by itself: at the end of a file the next
// step follows, and both orders wrap around. The player is kept told which file follows, so that
// it runs straight into it.
class Playback : public QObject {
    Q_OBJECT
public:
    using Direction = PlaybackModel::Direction;
    using Order = PlaybackModel::Order;
    enum class Clock { Leave, Start };

    // The player and the dialog are the main window's; either may be missing. `openFolder` tells
    // the folder "Open" starts in.
    Playback(PlaybackModel& model, PlayerActions& actions, MessageBoxes& messages,
             MediaPlayer* player, FileDialog* dialog, std::function<QString()> openFolder);

    // A step in the current order, and that entry plays.
    void step(Direction direction, Clock clock);
    // Plays line `line` (from 0; -1: none) of the playlist window, whose text is `text`.
    void playLine(int line, const QString& text);
    // "Open" with a file chosen elsewhere (a full path to an MP3 file).
    void playFile(const QString& path);
    // The tray's "Pause" and "Wiedergeben", whether they are offered or not.
    void pause();
    void resume();

private:
    void advance(Direction direction);
    // After a step: a loaded file enables the transport, none shows that none is loaded.
    void showLoaded();
    void enableTransport();
    void play();
    void togglePause();
    void stop();
    void chooseFile();
    void loadFile(const QString& path, const QString& title);
    void switchOrder(Order order);
    void showOrderInTray();
    void queueFollowing();

    PlaybackModel& model_;
    PlayerActions& actions_;
    MessageBoxes& messages_;
    QPointer<MediaPlayer> player_;
    FileDialog* dialog_;
    std::function<QString()> openFolder_;
};
