#include "platform/MpvPlayer.h"

#include <mpv/client.h>
#include <QByteArray>
#include <QMetaObject>

#include <algorithm>
#include <array>
#include <clocale>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/FileNames.h"
#include "platform/MpvLibrary.h"

namespace {

// An embedded audio player: nothing of mpv's own user interface, configuration, scripts or
// network helpers, and no memory of positions from an mpv the user may run elsewhere.
constexpr std::array<std::pair<const char*, const char*>, 22> kOptions{{
    {"config", "no"},
    {"load-scripts", "no"},
    {"load-stats-overlay", "no"},
    {"load-osd-console", "no"},
    {"load-auto-profiles", "no"},
    {"ytdl", "no"},
    {"osc", "no"},
    {"input-default-bindings", "no"},
    {"input-vo-keyboard", "no"},
    {"terminal", "no"},
    {"vid", "no"},
    {"audio-display", "no"},
    {"sub-auto", "no"},
    {"cover-art-auto", "no"},
    {"resume-playback", "no"},
    // A file named .mp3 may hold a playlist or references to other files or URLs: open only
    // the file itself.
    {"access-references", "no"},
    {"idle", "yes"},
    {"keep-open", "no"},
    {"audio-fallback-to-null", "yes"},
    {"prefetch-playlist", "yes"},
    {"gapless-audio", "weak"},
    {"audio-client-name", "brambleplayer"},
}};

// The absolute path of an existing regular file, or "" for anything else. Only such paths reach
// mpv: an absolute path can be taken neither for an option nor for a URL or protocol, and
// directories (played as playlists), pipes and devices (which may block) are refused.
QString localFilePath(const QString& path) {
    if (path.isEmpty()) {
        return {};
    }
    // Looked at by the bytes the name stands for: a Latin-1 name must reach the same file.
    return isRegularFile(path) ? absoluteFilePath(path) : QString();
}

// The tags libmpv reports for a file (its "metadata" map; the keys are the demuxer's, in any
// case), as far as the player shows them.
TrackTags tagsOf(const mpv_node& map) {
    TrackTags tags;
    if (map.format != MPV_FORMAT_NODE_MAP || map.u.list == nullptr) {
        return tags;
    }
    const mpv_node_list& list = *map.u.list;
    for (int i = 0; i < list.num; ++i) {
        if (list.values[i].format != MPV_FORMAT_STRING || list.values[i].u.string == nullptr) {
            continue;
        }
        const QString key = QString::fromUtf8(list.keys[i]).toLower();
        const QString value = QString::fromUtf8(list.values[i].u.string).trimmed();
        if (value.isEmpty()) {
            continue;
        }
        if (key == QLatin1String("artist")) {
            tags.artists = QStringList{value};
        } else if (key == QLatin1String("album")) {
            tags.album = value;
        } else if (key == QLatin1String("album_artist") || key == QLatin1String("albumartist")) {
            tags.albumArtists = QStringList{value};
        } else if (key == QLatin1String("track")) {
            // "3" or "3/12"
            tags.trackNumber = std::max(0, value.section(QLatin1Char('/'), 0, 0).toInt());
        }
    }
    return tags;
}

}  // namespace

void MpvPlayer::HandleCloser::operator()(mpv_handle* handle) const {
    library->setWakeupCallback(handle, nullptr, nullptr);
    library->terminateDestroy(handle);
}

MpvPlayer::MpvPlayer(MpvLibrary& library, QObject* parent)
    : MediaPlayer(parent), library_(library), handle_(nullptr, HandleCloser{&library}) {}

MpvPlayer::~MpvPlayer() = default;

bool MpvPlayer::ensureEngine() {
    if (handle_) {
        return true;
    }
    if (engineFailed_ || !library_.load()) {
        engineFailed_ = true;
        return false;
    }

    // mpv refuses to start unless C functions format numbers the C way. Qt formats numbers
    // through QLocale, so the program's own number texts do not change.
    const char* const numeric = std::setlocale(LC_NUMERIC, nullptr);
    if (numeric == nullptr || std::strcmp(numeric, "C") != 0) {
        std::setlocale(LC_NUMERIC, "C");
    }

    Handle handle(library_.create(), HandleCloser{&library_});
    if (!handle) {
        engineFailed_ = true;
        return false;
    }
    // An option this libmpv does not know only costs that option.
    for (const auto& [name, value] : kOptions) {
        library_.setOptionString(handle.get(), name, value);
    }
    if (library_.initialize(handle.get()) < 0) {
        engineFailed_ = true;
        return false;
    }
    library_.setFlag(handle.get(), "mute", muted_);

    handle_ = std::move(handle);
    library_.setWakeupCallback(handle_.get(), &MpvPlayer::onWakeup, this);
    onWakeup(this);  // events queued before the callback was in place
    return true;
}

// Runs on a thread of mpv: only queue one drain on the player's own thread.
void MpvPlayer::onWakeup(void* self) {
    auto* const player = static_cast<MpvPlayer*>(self);
    if (!player->drainQueued_.exchange(true)) {
        QMetaObject::invokeMethod(player, &MpvPlayer::drainEvents, Qt::QueuedConnection);
    }
}

void MpvPlayer::drainEvents() {
    // Cleared first: a wakeup arriving while draining queues the next drain.
    drainQueued_.store(false);
    while (handle_) {
        const mpv_event* const event = library_.waitEvent(handle_.get(), 0);
        switch (event->event_id) {
            case MPV_EVENT_NONE:
                return;
            case MPV_EVENT_SHUTDOWN:
                // Nothing here asks mpv to quit; should it end anyway, start afresh at the
                // next need instead of reading its final event forever.
                handle_.reset();
                currentEntry_ = 0;
                loaded_ = false;
                setState(kStopped);
                finishLoading();
                queuedEntry_ = 0;
                queuedPath_.clear();
                awaitingSuccessor_ = false;
                return;
            case MPV_EVENT_START_FILE:
                onStartFile(
                    static_cast<const mpv_event_start_file*>(event->data)->playlist_entry_id);
                break;
            case MPV_EVENT_FILE_LOADED:
                onFileLoaded();
                break;
            case MPV_EVENT_END_FILE: {
                const auto* const end = static_cast<const mpv_event_end_file*>(event->data);
                onEndFile(end->playlist_entry_id, static_cast<int>(end->reason));
                break;
            }
            // Deprecated in favour of observing idle-active, but unlike a property change it
            // arrives in order with the file events, which tells "went idle" from "started
            // the queued entry" without guessing.
            case MPV_EVENT_IDLE:
                onIdle();
                break;
            case MPV_EVENT_GET_PROPERTY_REPLY:
                onTagsRead(event->reply_userdata,
                           event->error >= 0 ? static_cast<const mpv_event_property*>(event->data)
                                             : nullptr);
                break;
            default:
                break;
        }
    }
}

void MpvPlayer::onStartFile(std::int64_t entry) {
    startedEntry_ = entry;
    if (awaitingSuccessor_ && entry == queuedEntry_) {
        takeOverQueuedEntry();
    }
}

// Events carry no entry for a loaded file; it is the one whose start came last.
void MpvPlayer::onFileLoaded() {
    if (currentEntry_ == 0 || startedEntry_ != currentEntry_) {
        return;
    }
    loaded_ = true;
    if (pendingSeek_) {
        seekTo(*pendingSeek_);
        pendingSeek_.reset();
    }
    appendQueuedFile();
    requestTags();
}

// Asked for, not read: a read would wait for mpv's core. The load is finished once the
// answer is in, so that whoever waits for it finds the tags with the length.
void MpvPlayer::requestTags() {
    if (library_.requestNode(handle_.get(), static_cast<std::uint64_t>(currentEntry_), "metadata") <
        0) {
        finishLoading();
    }
}

void MpvPlayer::onTagsRead(std::uint64_t entry, const mpv_event_property* metadata) {
    if (currentEntry_ == 0 || entry != static_cast<std::uint64_t>(currentEntry_) || !loaded_) {
        return;  // asked for a file that has gone meanwhile
    }
    if (metadata != nullptr && metadata->format == MPV_FORMAT_NODE && metadata->data != nullptr) {
        tags_ = tagsOf(*static_cast<const mpv_node*>(metadata->data));
    }
    finishLoading();
}

void MpvPlayer::onEndFile(std::int64_t entry, int reason) {
    if (currentEntry_ == 0 || entry != currentEntry_) {
        return;  // an entry that was replaced or dropped meanwhile
    }
    loaded_ = false;
    // A file ends naturally when it runs out while playing or paused, or after a seek to its
    // end while stopped: a seek to the end while paused acts as playing up to it does.
    if (reason == MPV_END_FILE_REASON_EOF && (state_ != kStopped || seekAsked_)) {
        if (queuedEntry_ != 0) {
            awaitingSuccessor_ = true;  // settled by the next start-file or idle event
        } else {
            finishNaturalEnd();
        }
        return;
    }
    // Unplayable, or stopped from elsewhere. mpv would go on with whatever follows in its
    // playlist (the queued file, or the entries a playlist file redirected to): nothing may
    // play that the caller did not start.
    currentEntry_ = 0;
    setState(kStopped);
    arrivedByQueue_ = false;
    queuedEntry_ = 0;
    queuedPath_.clear();
    if (reason == MPV_END_FILE_REASON_ERROR || reason == MPV_END_FILE_REASON_REDIRECT) {
        loadFailed_ = true;
    }
    runCommand({"stop"});
    finishLoading();
}

void MpvPlayer::onIdle() {
    if (awaitingSuccessor_) {
        // The queued entry came too late for mpv to run into it.
        queuedEntry_ = 0;
        queuedPath_.clear();
        finishNaturalEnd();
    }
}

void MpvPlayer::takeOverQueuedEntry() {
    awaitingSuccessor_ = false;
    currentEntry_ = queuedEntry_;
    fileName_ = queuedPath_;
    if (nextFileName_ == queuedPath_) {
        nextFileName_.clear();
    }
    queuedEntry_ = 0;
    queuedPath_.clear();
    loaded_ = false;
    loadFailed_ = false;
    // Open from here on until its length and tags are known, as a file set by the caller.
    loading_ = true;
    tags_ = {};
    arrivedByQueue_ = true;
    seekAsked_ = false;
    emit endOfStream(0);
}

void MpvPlayer::finishLoading() {
    if (loading_) {
        loading_ = false;
        emit loadFinished();
    }
}

// keep-open=no: mpv has unloaded the file; play() loads it again from the start.
void MpvPlayer::finishNaturalEnd() {
    awaitingSuccessor_ = false;
    currentEntry_ = 0;
    loaded_ = false;
    setState(kStopped);
    arrivedByQueue_ = false;
    pendingSeek_.reset();
    emit endOfStream(0);
}

void MpvPlayer::play() {
    if (fileName_.isEmpty() || loadFailed_) {
        return;
    }
    if (currentEntry_ == 0) {
        const QString local = localFilePath(fileName_);
        if (!local.isEmpty() && ensureEngine()) {
            loadCurrent(local, false);
        }
        return;
    }
    library_.setFlag(handle_.get(), "pause", false);
    setState(kPlaying);
}

void MpvPlayer::pause() {
    if (state_ == kPlaying) {
        setState(kPaused);
    }
    if (currentEntry_ != 0) {
        library_.setFlag(handle_.get(), "pause", true);
    }
}

// mpv's own stop would unload the file; this one keeps it, paused at the start.
void MpvPlayer::stop() {
    setState(kStopped);
    arrivedByQueue_ = false;
    if (currentEntry_ == 0) {
        pendingSeek_.reset();
        return;
    }
    library_.setFlag(handle_.get(), "pause", true);
    if (loaded_) {
        seekTo(0.0);
    } else {
        pendingSeek_ = 0.0;
    }
}

void MpvPlayer::setFileName(const QString& path) {
    // The transport sets the file that has just run in through the queue once more: it is
    // already playing and must go on undisturbed.
    if (arrivedByQueue_ && path == fileName_) {
        arrivedByQueue_ = false;
        return;
    }
    arrivedByQueue_ = false;
    awaitingSuccessor_ = false;
    fileName_ = path;
    nextFileName_.clear();
    queuedEntry_ = 0;  // a replacing load clears mpv's playlist
    queuedPath_.clear();
    currentEntry_ = 0;
    loaded_ = false;
    loadFailed_ = false;
    loading_ = false;
    tags_ = {};
    setState(kStopped);
    pendingSeek_.reset();

    const QString local = localFilePath(path);
    if (local.isEmpty()) {
        loadFailed_ = !path.isEmpty();
        if (handle_) {
            runCommand({"stop"});  // the previous file must not play on
        }
        return;
    }
    if (ensureEngine()) {
        loadCurrent(local, !autoStart_);
    }
}

void MpvPlayer::loadCurrent(const QString& localPath, bool paused) {
    library_.setFlag(handle_.get(), "pause", paused);
    const QByteArray encoded = encodeFileName(localPath);
    std::array<const char*, 4> args{"loadfile", encoded.constData(), "replace", nullptr};
    std::int64_t entry = 0;
    if (library_.commandReturningInt(handle_.get(), args.data(), "playlist_entry_id", &entry) < 0 ||
        entry <= 0) {
        currentEntry_ = 0;
        loadFailed_ = true;
        loading_ = false;
        setState(kStopped);
        return;
    }
    currentEntry_ = entry;
    seekAsked_ = false;
    loaded_ = false;
    loading_ = true;
    setState(paused ? kStopped : kPlaying);
}

void MpvPlayer::setNextFileName(const QString& path) {
    nextFileName_ = path;
    if (awaitingSuccessor_) {
        return;  // the queued entry is taking over right now; this wish is for the file after it
    }
    if (queuedEntry_ != 0 && queuedPath_ == path) {
        return;
    }
    dropQueuedEntry();
    appendQueuedFile();
}

// Appended only once the current file has loaded: mpv moves on to the next entry after a file
// that fails to open, and that must not happen behind the caller's back.
void MpvPlayer::appendQueuedFile() {
    if (!handle_ || !loaded_ || awaitingSuccessor_ || queuedEntry_ != 0 ||
        nextFileName_.isEmpty()) {
        return;
    }
    const QString local = localFilePath(nextFileName_);
    if (local.isEmpty()) {
        return;  // refused when the caller sets it as the file
    }
    runCommand({"playlist-clear"});  // keeps the current entry
    const QByteArray encoded = encodeFileName(local);
    std::array<const char*, 4> args{"loadfile", encoded.constData(), "append", nullptr};
    std::int64_t entry = 0;
    if (library_.commandReturningInt(handle_.get(), args.data(), "playlist_entry_id", &entry) >=
            0 &&
        entry > 0) {
        queuedEntry_ = entry;
        queuedPath_ = nextFileName_;
    }
}

void MpvPlayer::dropQueuedEntry() {
    if (queuedEntry_ == 0) {
        return;
    }
    queuedEntry_ = 0;
    queuedPath_.clear();
    runCommand({"playlist-clear"});
}

void MpvPlayer::setState(int state) {
    if (state_ != state) {
        state_ = state;
        emit playStateChanged();
    }
}

double MpvPlayer::currentPosition() const {
    if (!loaded_) {
        return pendingSeek_.value_or(0.0);
    }
    double seconds = 0.0;
    if (library_.getDouble(handle_.get(), "time-pos", &seconds) < 0) {
        return 0.0;
    }
    return std::max(0.0, seconds);  // reads slightly negative just after a seek to 0
}

void MpvPlayer::setCurrentPosition(double seconds) {
    if (!std::isfinite(seconds) || fileName_.isEmpty() || loadFailed_ || engineFailed_) {
        return;
    }
    seekAsked_ = true;
    seconds = std::max(0.0, seconds);
    if (loaded_) {
        seekTo(seconds);
    } else {
        pendingSeek_ = seconds;
    }
}

double MpvPlayer::duration() const {
    if (!loaded_) {
        return 0.0;
    }
    double seconds = 0.0;
    if (library_.getDouble(handle_.get(), "duration", &seconds) < 0) {
        return 0.0;
    }
    return std::max(0.0, seconds);
}

void MpvPlayer::setMute(bool on) {
    muted_ = on;
    if (handle_) {
        library_.setFlag(handle_.get(), "mute", on);
    }
}

void MpvPlayer::seekTo(double seconds) {
    const QByteArray target = QByteArray::number(seconds, 'f', 3);
    runCommand({"seek", target.constData(), "absolute+exact"});
}

void MpvPlayer::runCommand(std::initializer_list<const char*> words) {
    if (!handle_) {
        return;
    }
    std::vector<const char*> args(words);
    args.push_back(nullptr);
    library_.command(handle_.get(), args.data());
}
