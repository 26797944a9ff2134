#include "platform/MpvPlayer.h"

#include <mpv/client.h>
#include <QByteArray>
#include <QMetaObject>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/FileNames.h"
#include "platform/MpvFunctions.h"
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
    // A .mp3 may hold a playlist or references to other files or URLs: open the file only.
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
    return fileTypeOf(path) == FileType::Regular ? absoluteFilePath(path) : QString();
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
        if (key == QLatin1String("title")) {
            tags.title = value;
        } else if (key == QLatin1String("artist")) {
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

// The properties mpv reports whenever they change; the id comes back with each report.
enum Observed : std::uint64_t {
    kTimePos = 1,
    kDuration,
    kAudioOutput,
};

// How often mpv is asked to open the real audio output again while it plays into nothing: a
// sound server that comes back is heard within about this time.
constexpr int kAudioRetryMs = 1000;

std::optional<double> doubleOf(const mpv_event_property& property) {
    if (property.format != MPV_FORMAT_DOUBLE || property.data == nullptr) {
        return std::nullopt;
    }
    return *static_cast<const double*>(property.data);
}

// The playlist entry a loadfile reply names; 0 when it names none.
std::int64_t entryOf(const mpv_event& reply) {
    if (reply.error < 0 || reply.data == nullptr) {
        return 0;
    }
    const mpv_node& result = static_cast<const mpv_event_command*>(reply.data)->result;
    if (result.format != MPV_FORMAT_NODE_MAP || result.u.list == nullptr) {
        return 0;
    }
    const mpv_node_list& map = *result.u.list;
    for (int i = 0; i < map.num; ++i) {
        if (std::strcmp(map.keys[i], "playlist_entry_id") == 0 &&
            map.values[i].format == MPV_FORMAT_INT64) {
            return map.values[i].u.int64;
        }
    }
    return 0;
}

}  // namespace

void MpvPlayer::HandleCloser::operator()(mpv_handle* handle) const {
    library->api().setWakeupCallback(handle, nullptr, nullptr);
    library->terminateDestroyLater(handle);
}

MpvPlayer::MpvPlayer(MpvLibrary& library, QObject* parent)
    : MediaPlayer(parent), library_(library), handle_(nullptr, HandleCloser{&library}) {
    audioRetry_.setInterval(kAudioRetryMs);
    connect(&audioRetry_, &QTimer::timeout, this, &MpvPlayer::reopenAudioOutput);
}

MpvPlayer::~MpvPlayer() = default;

mpv_handle* MpvPlayer::makeInstance(MpvLibrary& library, bool muted) {
    const MpvFunctions& mpv = library.api();
    mpv_handle* const handle = mpv.create();
    if (handle == nullptr) {
        return nullptr;
    }
    // An option this libmpv does not know only costs that option.
    for (const auto& [name, value] : kOptions) {
        mpv.setOptionString(handle, name, value);
    }
    mpv.setOptionString(handle, "mute", muted ? "yes" : "no");
    if (mpv.initialize(handle) < 0) {
        library.terminateDestroyLater(handle);
        return nullptr;
    }
    return handle;
}

bool MpvPlayer::prepare() {
    if (handle_) {
        return true;
    }
    if (engineFailed_ || !library_.load()) {
        engineFailed_ = true;
        return false;
    }

    useCNumbers();

    // The first player to need one takes the instance the preload made (unmuted).
    mpv_handle* const preloaded = library_.takePreloaded();
    handle_ = Handle(preloaded != nullptr ? preloaded : makeInstance(library_, muted_),
                     HandleCloser{&library_});
    if (!handle_) {
        engineFailed_ = true;
        return false;
    }
    if (preloaded != nullptr && muted_) {
        setFlag("mute", true);
    }
    const MpvFunctions& mpv = library_.api();
    mpv.observeProperty(handle_.get(), kTimePos, "time-pos", MPV_FORMAT_DOUBLE);
    mpv.observeProperty(handle_.get(), kDuration, "duration", MPV_FORMAT_DOUBLE);
    mpv.observeProperty(handle_.get(), kAudioOutput, "current-ao", MPV_FORMAT_STRING);
    mpv.setWakeupCallback(handle_.get(), &MpvPlayer::onWakeup, this);
    onWakeup(this);  // events queued before the callback was in place
    sendDeferredLoad();
    return true;
}

bool MpvPlayer::engineAvailable() {
    if (handle_ || waitingForEngine_) {
        return true;
    }
    if (!engineFailed_ && library_.preloading()) {
        waitingForEngine_ = true;
        library_.whenLoaded(this, [this] { onEngineLoaded(); });
        return true;
    }
    return prepare();
}

void MpvPlayer::onEngineLoaded() {
    waitingForEngine_ = false;
    if (deferredLoad_.isEmpty() || prepare()) {
        return;  // the instance is made at the next need, or prepare() sent the file
    }
    // No engine after all: the file is known, as where libmpv is missing from the start.
    deferredLoad_.clear();
    setState(kStopped);
    finishLoading();
}

// The file set while the engine was starting goes to it, paused or not as asked meanwhile.
void MpvPlayer::sendDeferredLoad() {
    if (deferredLoad_.isEmpty()) {
        return;
    }
    setPaused(deferredPaused_);
    loadRequest_ = loadFile(std::exchange(deferredLoad_, QString()), "replace");
    if (loadRequest_ == 0) {
        refuseCurrent();
    }
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
        const mpv_event* const event = library_.api().waitEvent(handle_.get(), 0);
        if (event->event_id == MPV_EVENT_NONE) {
            return;
        }
        handleEvent(*event);
    }
}

void MpvPlayer::handleEvent(const mpv_event& event) {
    switch (event.event_id) {
        case MPV_EVENT_SHUTDOWN:
            onShutdown();
            break;
        case MPV_EVENT_START_FILE:
            onStartFile(static_cast<const mpv_event_start_file*>(event.data)->playlist_entry_id);
            break;
        case MPV_EVENT_FILE_LOADED:
            onFileLoaded();
            break;
        case MPV_EVENT_END_FILE: {
            const auto* const end = static_cast<const mpv_event_end_file*>(event.data);
            onEndFile(end->playlist_entry_id, static_cast<int>(end->reason));
            break;
        }
        // Deprecated in favour of observing idle-active, but unlike a property change it
        // arrives in order with the file events, which tells "went idle" from "started the
        // queued entry" without guessing.
        case MPV_EVENT_IDLE:
            onIdle();
            break;
        case MPV_EVENT_PLAYBACK_RESTART:
            onPlaybackRestart();
            break;
        case MPV_EVENT_PROPERTY_CHANGE:
            onPropertyChange(event.reply_userdata,
                             *static_cast<const mpv_event_property*>(event.data));
            break;
        case MPV_EVENT_COMMAND_REPLY:
            onCommandReply(event.reply_userdata, event);
            break;
        case MPV_EVENT_GET_PROPERTY_REPLY:
            if (event.reply_userdata != 0 && event.reply_userdata == tagsRequest_) {
                onTagsReply(event);
            } else {
                onLengthReply(event.reply_userdata, event);
            }
            break;
        default:
            break;
    }
}

// Reports of changes are not queued with the other events: mpv hands out the latest value
// once the queue is empty. A position from before a seek or from the file before may still
// come after them, so positions count only once the file is open and a seek has been done.
void MpvPlayer::onPropertyChange(std::uint64_t id, const mpv_event_property& property) {
    switch (id) {
        case kTimePos:
            if (const auto seconds = doubleOf(property);
                seconds && loaded_ && !seekTarget_ && !restingAtSeek_) {
                position_ = std::max(0.0, *seconds);  // reads slightly negative after a seek to 0
            }
            break;
        case kDuration:
            // The length of a file without a length header becomes known as it plays.
            if (const auto seconds = doubleOf(property); seconds && loaded_) {
                duration_ = std::max(0.0, *seconds);
            }
            break;
        case kAudioOutput:
            audioOutput_ = property.format == MPV_FORMAT_STRING && property.data != nullptr
                               ? QString::fromUtf8(*static_cast<const char* const*>(property.data))
                               : QString();
            keepAudioOutputAlive();
            break;
        default:
            break;
    }
}

void MpvPlayer::onCommandReply(std::uint64_t request, const mpv_event& event) {
    if (request == 0) {
        return;
    }
    if (request == loadRequest_) {
        loadRequest_ = 0;
        currentEntry_ = entryOf(event);
        if (currentEntry_ <= 0) {
            currentEntry_ = 0;
            refuseCurrent();
        }
    } else if (request == appendRequest_) {
        appendRequest_ = 0;
        queuedEntry_ = std::max<std::int64_t>(0, entryOf(event));
        if (queuedEntry_ == 0) {
            queuedPath_.clear();
        }
    } else if (request == seekRequest_) {
        // mpv has taken the seek: the next restart of playback comes after it.
        seekRequest_ = 0;
        if (event.error < 0) {
            seekTarget_.reset();
        }
    } else if (request == reopenRequest_) {
        reopenRequest_ = 0;
    }
}

// The length read at the file's opening: with it the file counts as open.
void MpvPlayer::onLengthReply(std::uint64_t request, const mpv_event& event) {
    if (request == 0 || request != lengthRequest_) {
        return;
    }
    lengthRequest_ = 0;
    const auto* const property = static_cast<const mpv_event_property*>(event.data);
    const std::optional<double> seconds =
        event.error >= 0 && property != nullptr ? doubleOf(*property) : std::nullopt;
    duration_ = std::max(0.0, seconds.value_or(0.0));
    position_ = 0.0;
    loaded_ = true;
    if (pendingSeek_) {
        seekTo(*pendingSeek_);
        pendingSeek_.reset();
    }
    appendQueuedFile();
    if (tagsRequest_ == 0) {
        finishLoading();
    }
}

// The tags, asked for with the length: the opening is finished once both are in, so that
// whoever waits for it finds the tags with the length.
void MpvPlayer::onTagsReply(const mpv_event& event) {
    tagsRequest_ = 0;
    const auto* const property = static_cast<const mpv_event_property*>(event.data);
    if (event.error >= 0 && property != nullptr && property->format == MPV_FORMAT_NODE &&
        property->data != nullptr) {
        tags_ = tagsOf(*static_cast<const mpv_node*>(property->data));
    }
    if (loaded_) {
        finishLoading();
    }
}

void MpvPlayer::onStartFile(std::int64_t entry) {
    startedEntry_ = entry;
    if (awaitingSuccessor_ && entry == queuedEntry_) {
        takeOverQueuedEntry();
    }
}

// Events carry no entry for a loaded file; it is the one whose start came last. Its length is
// read before it counts as open: a reported change of it may still be on its way.
void MpvPlayer::onFileLoaded() {
    if (currentEntry_ == 0 || startedEntry_ != currentEntry_) {
        return;
    }
    const auto read = [this](const char* name, mpv_format format) -> std::uint64_t {
        const std::uint64_t request = nextRequest();
        return library_.api().getPropertyAsync(handle_.get(), request, name, format) < 0 ? 0
                                                                                         : request;
    };
    tagsRequest_ = read("metadata", MPV_FORMAT_NODE);
    lengthRequest_ = read("duration", MPV_FORMAT_DOUBLE);
}

void MpvPlayer::onEndFile(std::int64_t entry, int reason) {
    if (currentEntry_ == 0 || entry != currentEntry_) {
        return;  // an entry that was replaced or dropped meanwhile
    }
    closeCurrent();
    // A file ends naturally when it runs out while playing or paused, or after a seek to its
    // end while stopped: a seek to the end while paused acts as playing up to it does.
    if (reason == MPV_END_FILE_REASON_EOF && (state_ != kStopped || seekAsked_)) {
        finishLoading();  // ended before its length came
        if (queuedEntry_ != 0 || appendRequest_ != 0) {
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
    forgetQueuedEntry();
    if (reason == MPV_END_FILE_REASON_ERROR || reason == MPV_END_FILE_REASON_REDIRECT) {
        loadFailed_ = true;
    }
    sendCommand({"stop"});
    finishLoading();
}

void MpvPlayer::onIdle() {
    if (awaitingSuccessor_) {
        // The queued entry came too late for mpv to run into it.
        forgetQueuedEntry();
        finishNaturalEnd();
    }
}

void MpvPlayer::onPlaybackRestart() {
    if (seekTarget_ && seekRequest_ == 0) {
        position_ = *seekTarget_;
        seekTarget_.reset();
        // Not playing, mpv reports a little less than where the seek landed: it takes off the
        // sound output's delay, though nothing was played. The target stands until playing
        // goes on.
        restingAtSeek_ = state_ != kPlaying;
    }
}

// Nothing here asks mpv to quit; should it end anyway, start afresh at the next need instead of
// reading its final event forever.
void MpvPlayer::onShutdown() {
    handle_.reset();
    currentEntry_ = 0;
    loadRequest_ = 0;
    closeCurrent();
    audioOutput_.clear();
    reopenRequest_ = 0;
    setState(kStopped);
    finishLoading();
    forgetQueuedEntry();
    awaitingSuccessor_ = false;
}

// The current entry is no longer open: its length and tags are not awaited, a seek in it is over.
void MpvPlayer::closeCurrent() {
    loaded_ = false;
    lengthRequest_ = 0;
    tagsRequest_ = 0;
    seekTarget_.reset();
    seekRequest_ = 0;
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
    position_ = 0.0;
    duration_ = 0.0;
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
    if (!hasEntry()) {
        const QString local = localFilePath(fileName_);
        if (!local.isEmpty() && engineAvailable()) {
            loadCurrent(local, false);
        }
        return;
    }
    setPaused(false);
    setState(kPlaying);
}

void MpvPlayer::pause() {
    if (state_ == kPlaying) {
        setState(kPaused);
    }
    if (hasEntry()) {
        setPaused(true);
    }
}

// mpv's own stop would unload the file; this one keeps it, paused at the start.
void MpvPlayer::stop() {
    setState(kStopped);
    arrivedByQueue_ = false;
    if (!hasEntry()) {
        pendingSeek_.reset();
        return;
    }
    setPaused(true);
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
    forgetQueuedEntry();  // a replacing load clears mpv's playlist
    currentEntry_ = 0;
    loadRequest_ = 0;
    closeCurrent();
    loadFailed_ = false;
    loading_ = false;
    tags_ = {};
    position_ = 0.0;
    duration_ = 0.0;
    setState(kStopped);
    pendingSeek_.reset();
    deferredLoad_.clear();

    const QString local = localFilePath(path);
    if (local.isEmpty()) {
        loadFailed_ = !path.isEmpty();
        if (handle_) {
            sendCommand({"stop"});  // the previous file must not play on
        }
        return;
    }
    if (engineAvailable()) {
        loadCurrent(local, true);  // a file set never starts by itself
    }
}

void MpvPlayer::loadCurrent(const QString& localPath, bool paused) {
    currentEntry_ = 0;
    loaded_ = false;
    if (!handle_) {
        // The engine is still starting: it takes the file once it is there.
        deferredLoad_ = localPath;
        deferredPaused_ = paused;
    } else {
        setPaused(paused);
        loadRequest_ = loadFile(localPath, "replace");
        if (loadRequest_ == 0) {
            loadFailed_ = true;
            loading_ = false;
            setState(kStopped);
            return;
        }
    }
    seekAsked_ = false;
    loading_ = true;
    setState(paused ? kStopped : kPlaying);
}

// mpv could not take the file at all.
void MpvPlayer::refuseCurrent() {
    loadFailed_ = true;
    setState(kStopped);
    finishLoading();
}

void MpvPlayer::setNextFileName(const QString& path) {
    nextFileName_ = path;
    if (awaitingSuccessor_) {
        return;  // the queued entry is taking over right now; this wish is for the file after it
    }
    if (queuedEntry_ != 0 || appendRequest_ != 0) {
        if (queuedPath_ == path) {
            return;
        }
        forgetQueuedEntry();
        sendCommand({"playlist-clear"});
    }
    appendQueuedFile();
}

// Appended only once the current file has loaded: mpv moves on to the next entry after a file
// that fails to open, and that must not happen behind the caller's back.
void MpvPlayer::appendQueuedFile() {
    if (!handle_ || !loaded_ || awaitingSuccessor_ || queuedEntry_ != 0 || appendRequest_ != 0 ||
        nextFileName_.isEmpty()) {
        return;
    }
    const QString local = localFilePath(nextFileName_);
    if (local.isEmpty()) {
        return;  // refused when the caller sets it as the file
    }
    sendCommand({"playlist-clear"});  // keeps the current entry
    appendRequest_ = loadFile(local, "append");
    if (appendRequest_ != 0) {
        queuedPath_ = nextFileName_;
    }
}

void MpvPlayer::setState(int state) {
    if (state == kPlaying) {
        restingAtSeek_ = false;
    }
    if (state_ != state) {
        state_ = state;
        keepAudioOutputAlive();
        emit playStateChanged();
    }
}

void MpvPlayer::setPaused(bool paused) {
    deferredPaused_ = paused;
    setFlag("pause", paused);
}

double MpvPlayer::currentPosition() const {
    if (!loaded_) {
        return pendingSeek_.value_or(0.0);
    }
    return seekTarget_.value_or(position_);
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

void MpvPlayer::setMute(bool on) {
    muted_ = on;
    setFlag("mute", on);
}

// mpv takes it in its own time.
void MpvPlayer::setFlag(const char* name, bool value) {
    if (handle_) {
        int flag = value ? 1 : 0;  // copied before the call returns
        library_.api().setPropertyAsync(handle_.get(), 0, name, MPV_FORMAT_FLAG, &flag);
    }
}

void MpvPlayer::seekTo(double seconds) {
    const QByteArray target = QByteArray::number(seconds, 'f', 3);
    seekRequest_ = sendCommand({"seek", target.constData(), "absolute+exact"});
    if (seekRequest_ != 0) {
        seekTarget_ = seconds;
    }
}

std::uint64_t MpvPlayer::sendCommand(std::initializer_list<const char*> words) {
    if (!handle_) {
        return 0;
    }
    std::vector<const char*> args(words);
    args.push_back(nullptr);
    const std::uint64_t request = nextRequest();
    return library_.api().commandAsync(handle_.get(), request, args.data()) < 0 ? 0 : request;
}

std::uint64_t MpvPlayer::loadFile(const QString& localPath, const char* mode) {
    const QByteArray encoded = encodeFileName(localPath);
    return sendCommand({"loadfile", encoded.constData(), mode});
}

// mpv falls back to its null output when the sound server goes away (or was never there) and
// would stay there for good: the track would run on in silence after the server is back.
void MpvPlayer::keepAudioOutputAlive() {
    const bool intoNothing = state_ == kPlaying && audioOutput_ == QLatin1String("null");
    if (!intoNothing) {
        audioRetry_.stop();
    } else if (!audioRetry_.isActive()) {
        audioRetry_.start();
    }
}

// The track, its position and the pause state stay as they are.
void MpvPlayer::reopenAudioOutput() {
    if (reopenRequest_ == 0) {
        reopenRequest_ = sendCommand({"ao-reload"});
    }
}
