#pragma once

#include <QString>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>

#include "platform/MediaPlayer.h"

class MpvLibrary;
struct mpv_handle;
struct mpv_event;
struct mpv_event_property;

// The media player on libmpv: one mpv instance per object, audio only, local files only.
// The instance is created at first need (or by prepare()); where libmpv cannot be loaded
// every operation does nothing and the player stays silent.
//
// Nothing here waits for mpv: while mpv's core waits for the audio output (a sound server that
// has stopped answering holds it for as long), the window must go on. Requests go to mpv
// asynchronously, and every value the callers read (position, length, state, file) is kept
// here, from mpv's events and the properties it reports as they change.
class MpvPlayer final : public MediaPlayer {
    Q_OBJECT
public:
    // The library must outlive the player.
    explicit MpvPlayer(MpvLibrary& library, QObject* parent = nullptr);
    ~MpvPlayer() override;

    // Creates the mpv instance now, so that the first file does not wait for it. False when
    // libmpv is missing or refuses to start. Waits for a preload of the library that runs.
    bool prepare() override;

    // A new mpv instance set up as the player's, or null when mpv refuses to start. Callable on
    // any thread, once the library is loaded and C functions format numbers the C way.
    static mpv_handle* makeInstance(MpvLibrary& library, bool muted);

    void play() override;
    void pause() override;
    void stop() override;

    void setFileName(const QString& path) override;
    QString fileName() const override { return fileName_; }

    double currentPosition() const override;
    void setCurrentPosition(double seconds) override;
    double duration() const override { return loaded_ ? duration_ : 0.0; }
    int playState() const override { return state_; }

    bool mute() const override { return muted_; }
    void setMute(bool on) override;

    void setNextFileName(const QString& path) override;
    bool isLoading() const override { return loading_; }
    TrackTags tags() const override { return tags_; }

private:
    // Clears the wakeup callback before the instance goes, so mpv never calls into a dead
    // object; the instance itself ends on the library's thread.
    struct HandleCloser {
        MpvLibrary* library = nullptr;
        void operator()(mpv_handle* handle) const;
    };
    using Handle = std::unique_ptr<mpv_handle, HandleCloser>;

    static void onWakeup(void* self);
    void drainEvents();
    void handleEvent(const mpv_event& event);
    void onPropertyChange(std::uint64_t id, const mpv_event_property& property);
    void onCommandReply(std::uint64_t request, const mpv_event& event);
    void onLengthReply(std::uint64_t request, const mpv_event& event);
    void onStartFile(std::int64_t entry);
    void onFileLoaded();
    void onEndFile(std::int64_t entry, int reason);
    void onIdle();
    void onTagsReply(const mpv_event& event);
    void onPlaybackRestart();
    void onShutdown();

    void loadCurrent(const QString& localPath, bool paused);
    void refuseCurrent();
    void appendQueuedFile();
    void forgetQueuedEntry() {
        queuedEntry_ = 0;
        appendRequest_ = 0;
        queuedPath_.clear();
    }
    void closeCurrent();
    void takeOverQueuedEntry();
    void finishNaturalEnd();
    void finishLoading();
    void seekTo(double seconds);
    void setState(int state);
    void setPaused(bool paused);
    void setFlag(const char* name, bool value);  // a yes/no property of the instance, if any
    // A request whose reply matters; the number comes back with its reply event.
    std::uint64_t sendCommand(std::initializer_list<const char*> words);
    std::uint64_t nextRequest() { return ++lastRequest_; }
    // loadfile in `mode` ("replace" or "append"); the request, 0 when mpv did not take it.
    std::uint64_t loadFile(const QString& localPath, const char* mode);
    // The file set last has an entry in mpv's playlist, or one is on its way.
    bool hasEntry() const {
        return currentEntry_ != 0 || loadRequest_ != 0 || !deferredLoad_.isEmpty();
    }
    // An engine runs, or is being made by the library's preload and takes what is asked of it
    // meanwhile once it is there. False where libmpv is missing or refuses to start.
    bool engineAvailable();
    void onEngineLoaded();
    void sendDeferredLoad();
    void keepAudioOutputAlive();
    void reopenAudioOutput();

    MpvLibrary& library_;
    Handle handle_;
    bool engineFailed_ = false;
    bool waitingForEngine_ = false;  // told by the library once its preload has finished
    // The file to load once the engine is there, and whether it is to start paused.
    QString deferredLoad_;
    bool deferredPaused_ = true;
    std::atomic<bool> drainQueued_{false};
    std::uint64_t lastRequest_ = 0;

    // The file as the caller named it, and mpv's playlist entry that plays it (0: none).
    QString fileName_;
    std::int64_t currentEntry_ = 0;
    std::uint64_t loadRequest_ = 0;    // loadfile for fileName_ whose reply names its entry
    std::int64_t startedEntry_ = 0;    // the entry of mpv's latest start-file event
    bool loaded_ = false;              // currentEntry_ is open: position and duration are valid
    bool loadFailed_ = false;          // fileName_ cannot be played; play() does nothing
    bool loading_ = false;             // fileName_ is being opened; loadFinished() follows
    std::uint64_t lengthRequest_ = 0;  // the length read that completes the opening
    std::uint64_t tagsRequest_ = 0;    // the tags read, which completes it too
    TrackTags tags_;                   // of currentEntry_, read with its length
    int state_ = kStopped;
    std::optional<double> pendingSeek_;  // applied once currentEntry_ is loaded
    bool seekAsked_ = false;             // the caller moved the position in currentEntry_

    // What mpv last reported. A seek is shown at its target until mpv has carried it out;
    // positions reported before that are stale.
    double position_ = 0.0;
    double duration_ = 0.0;
    std::optional<double> seekTarget_;
    std::uint64_t seekRequest_ = 0;  // the latest seek, until mpv has taken it
    bool restingAtSeek_ = false;     // not playing since a seek landed: its target is the position
    QString audioOutput_;            // mpv's audio output driver; "null" plays into nothing

    // The file that follows at a natural end, as wished, and the entry queued in mpv for it.
    QString nextFileName_;
    QString queuedPath_;
    std::int64_t queuedEntry_ = 0;
    std::uint64_t appendRequest_ = 0;  // loadfile for queuedPath_ whose reply names its entry
    // The current file ended naturally; mpv either starts the queued entry or goes idle.
    bool awaitingSuccessor_ = false;
    // The current file came in through the queue and the caller has not set it again yet.
    bool arrivedByQueue_ = false;

    bool muted_ = false;

    // While playing into mpv's null output (the sound server went away, or was never there),
    // mpv is asked now and then to open the real output again.
    QTimer audioRetry_;
    std::uint64_t reopenRequest_ = 0;  // the request to reopen it, until mpv has done it
};
