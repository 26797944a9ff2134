#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>

#include "platform/MediaPlayer.h"

class MpvLibrary;
struct mpv_handle;
struct mpv_event_property;

// The media player on libmpv: one mpv instance per object, audio only, local files only.
// The instance is created at first need (or by ensureEngine()); where libmpv cannot be loaded
// every operation does nothing and the player stays silent.
class MpvPlayer final : public MediaPlayer {
    Q_OBJECT
public:
    // The library must outlive the player.
    explicit MpvPlayer(MpvLibrary& library, QObject* parent = nullptr);
    ~MpvPlayer() override;

    // Creates the mpv instance now, so that the first file does not wait for it. False when
    // libmpv is missing or refuses to start.
    bool ensureEngine();
    bool prepare() override { return ensureEngine(); }

    void play() override;
    void pause() override;
    void stop() override;

    void setFileName(const QString& path) override;
    QString fileName() const override { return fileName_; }

    double currentPosition() const override;
    void setCurrentPosition(double seconds) override;
    double duration() const override;
    int playState() const override { return state_; }

    bool mute() const override { return muted_; }
    void setMute(bool on) override;

    bool autoStart() const override { return autoStart_; }
    void setAutoStart(bool on) override { autoStart_ = on; }

    void setNextFileName(const QString& path) override;
    bool isLoading() const override { return loading_; }
    TrackTags tags() const override { return tags_; }

private:
    // Clears the wakeup callback before the instance goes, so mpv never calls into a dead
    // object.
    struct HandleCloser {
        const MpvLibrary* library = nullptr;
        void operator()(mpv_handle* handle) const;
    };
    using Handle = std::unique_ptr<mpv_handle, HandleCloser>;

    static void onWakeup(void* self);
    void drainEvents();
    void onStartFile(std::int64_t entry);
    void onFileLoaded();
    void onEndFile(std::int64_t entry, int reason);
    void onIdle();
    void requestTags();
    void onTagsRead(std::uint64_t entry, const mpv_event_property* metadata);

    void loadCurrent(const QString& localPath, bool paused);
    void appendQueuedFile();
    void dropQueuedEntry();
    void takeOverQueuedEntry();
    void finishNaturalEnd();
    void finishLoading();
    void seekTo(double seconds);
    void setState(int state);
    void runCommand(std::initializer_list<const char*> words);

    MpvLibrary& library_;
    Handle handle_;
    bool engineFailed_ = false;
    std::atomic<bool> drainQueued_{false};

    // The file as the caller named it, and mpv's playlist entry that plays it (0: none).
    QString fileName_;
    std::int64_t currentEntry_ = 0;
    std::int64_t startedEntry_ = 0;  // the entry of mpv's latest start-file event
    bool loaded_ = false;            // currentEntry_ is open: position and duration are valid
    bool loadFailed_ = false;        // fileName_ cannot be played; play() does nothing
    bool loading_ = false;           // currentEntry_ is being opened; loadFinished() follows
    TrackTags tags_;                 // of currentEntry_, read once it has loaded
    int state_ = kStopped;
    std::optional<double> pendingSeek_;  // applied once currentEntry_ is loaded
    bool seekAsked_ = false;             // the caller moved the position in currentEntry_

    // The file that follows at a natural end, as wished, and the entry queued in mpv for it.
    QString nextFileName_;
    QString queuedPath_;
    std::int64_t queuedEntry_ = 0;
    // The current file ended naturally; mpv either starts the queued entry or goes idle.
    bool awaitingSuccessor_ = false;
    // The current file came in through the queue and the caller has not set it again yet.
    bool arrivedByQueue_ = false;

    bool muted_ = false;
    bool autoStart_ = false;
};
