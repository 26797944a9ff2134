#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// What a file's tags say of it; empty where it says nothing.
struct TrackTags {
    QString title;
    QStringList artists;
    QString album;
    QStringList albumArtists;
    int trackNumber = 0;  // 0: none

    bool operator==(const TrackTags&) const = default;
};

// The playback engine as the player sees it: one file at a time, positions in seconds.
// Setting a file loads it without starting it (unless auto start is on); only play() starts it.
class MediaPlayer : public QObject {
    Q_OBJECT
public:
    // playState(): the play states of the player control.
    static constexpr int kStopped = 0;
    static constexpr int kPaused = 1;
    static constexpr int kPlaying = 2;

    using QObject::QObject;
    ~MediaPlayer() override = default;

    // Gets the engine ready now, so that the first file does not wait for it. False when
    // there is no engine to play with.
    virtual bool prepare() { return true; }

    virtual void play() = 0;   // start the loaded file, or resume a paused one
    virtual void pause() = 0;  // keeps the position
    virtual void stop() = 0;   // keeps the file and rewinds, so play() starts it from 0

    // The file to play, a full path. Reading returns the last path written ("" when none).
    virtual void setFileName(const QString& path) = 0;
    virtual QString fileName() const = 0;

    virtual double currentPosition() const = 0;  // seconds, never negative
    virtual void setCurrentPosition(double seconds) = 0;
    virtual double duration() const = 0;  // seconds; 0 while unknown
    virtual int playState() const = 0;    // kPlaying while playing, anything else otherwise

    virtual bool mute() const = 0;
    virtual void setMute(bool on) = 0;

    // The file that follows the current one at a natural end, so that playback runs into it
    // without a gap. Empty: nothing follows. Setting the file that has just taken over through
    // this road with setFileName() does not reload it.
    virtual void setNextFileName(const QString& path) = 0;

    // The file set last is still being opened, so duration() does not know it yet. It ends
    // with loadFinished(), whether the file opened or not.
    virtual bool isLoading() const { return false; }
    // The tags of the loaded file, known once it has finished loading.
    virtual TrackTags tags() const { return {}; }

signals:
    // playState() changed, through a call or by the engine itself.
    void playStateChanged();
    // The playing file reached its natural end. Never raised by replacing, stopping or a
    // file that could not be played.
    void endOfStream(int result);
    // The file set last has been opened (duration() now tells its length) or cannot be
    // played (duration() stays 0).
    void loadFinished();
};
