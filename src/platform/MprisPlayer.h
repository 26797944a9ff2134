#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "platform/FileRefusal.h"

// The player as the desktop's media controls see it (media keys, sound menus, panel widgets):
// what they may read and what they may ask of it. The D-Bus side (MprisService) knows nothing
// of the player's windows, and the player nothing of D-Bus.
class MprisPlayer : public QObject {
    Q_OBJECT
public:
    enum class Status { Stopped, Paused, Playing };

    // The loaded track; an empty id: nothing is loaded.
    struct Track {
        QString id;  // a D-Bus object path, new at every start of a track
        QString title;
        QString url;
        qint64 lengthUs = 0;  // 0 while unknown
        // From the file's tags; empty (0) where it has none.
        QStringList artists;
        QString album;
        QStringList albumArtists;
        int trackNumber = 0;

        bool operator==(const Track&) const = default;
    };

    // Everything the controls show except the position, which changes all the time and is read
    // only when asked for.
    struct State {
        Status status = Status::Stopped;
        bool shuffle = false;
        double volume = 0.0;         // the slider's share of its range, 0 to 1
        bool canPlay = false;        // Play would start something
        bool canPause = false;       // a file is loaded, so that Pause acts on it
        bool canSeek = false;        // ... and its length is known
        bool canGoNext = false;      // Next would start an entry of the playlist
        bool canGoPrevious = false;  // ... and so would Previous
        Track track;

        bool operator==(const State&) const = default;
    };

    using QObject::QObject;
    ~MprisPlayer() override = default;

    virtual State state() const = 0;
    virtual qint64 positionUs() const = 0;

    virtual void raise() = 0;
    virtual void quit() = 0;
    virtual void next() = 0;
    virtual void previous() = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void playPause() = 0;
    virtual void stop() = 0;
    // Within the loaded track; the caller has checked the bounds.
    virtual void setPositionUs(qint64 positionUs) = 0;
    virtual void setShuffle(bool on) = 0;
    virtual void setVolume(double share) = 0;
    // Plays a local MP3 file as a file opened by itself; when refused, nothing changes. The
    // file's content is looked at away from the GUI thread: `answer` may be told later.
    virtual void openFile(const QString& path, std::function<void(FileRefusal)> answer) = 0;

signals:
    // Something of state() may have changed.
    void stateMayHaveChanged();
    // The position jumped (a seek), to here.
    void jumped(qint64 positionUs);
};
