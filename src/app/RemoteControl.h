#pragma once

#include <QString>
#include <QTimer>

#include "app/SingleFile.h"
#include "model/PlaybackModel.h"
#include "platform/MprisPlayer.h"

class MainWindow;
class Playback;
class PlaybackModel;
class PlayerActions;
class SettingsModel;

// The desktop's media controls acting on the player: each request does what the matching
// control of the player does, and every change the player makes is told to the desktop once
// the handler that made it has returned.
class RemoteControl final : public MprisPlayer {
    Q_OBJECT
public:
    RemoteControl(MainWindow& form, PlaybackModel& model, PlayerActions& actions,
                  Playback& playback, const SettingsModel& settings);

    State state() const override;
    qint64 positionUs() const override;

    // As the tray's "Player wieder zeigen": shown and in front, the playlist window with it.
    void raise() override;
    // The exit command, with its question when the options ask for one.
    void quit() override;
    // The tray's "Nächster Track" and "Letzter Track".
    void next() override;
    void previous() override;
    // The tray's "Wiedergeben" and "Pause". The tray offers them only after some ways of
    // starting a track; here they act whenever a file is loaded. With none loaded, play starts
    // the first step of the playlist, as a click on the next glyph does.
    void play() override;
    void pause() override;
    // A click on the pause glyph and on the stop glyph, which do nothing while disabled; with
    // no file loaded the pause glyph's place is taken by play().
    void playPause() override;
    void stop() override;
    void setPositionUs(qint64 positionUs) override;
    // A click on "Shuffle" or on "Normal".
    void setShuffle(bool on) override;
    // The thumb moves there as in a tray step: settings.cfg is not written.
    void setVolume(double share) override;
    // As "Open" with the file chosen; the playlist stays as it is.
    void openFile(const QString& path, std::function<void(FileRefusal)> answer) override;

private:
    void settle();
    void trackStarted(const QString& title);
    QString loadedFile() const;
    // Whether a step that way starts an entry that has a file.
    bool stepPlaysSomething(PlaybackModel::Direction direction) const;

    MainWindow& form_;
    PlaybackModel& model_;
    PlayerActions& actions_;
    Playback& playback_;
    const SettingsModel& settings_;
    QTimer settleTimer_;
    SingleFileCheck fileCheck_;
    QString trackFile_;
    QString trackTitle_;
    quint64 trackSerial_ = 0;
};
