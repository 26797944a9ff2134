#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "platform/EngineStatus.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <utility>
#include <vector>

// Opaque types of the libmpv client API; only the implementation files see their definitions.
struct mpv_handle;
struct MpvFunctions;

// libmpv, opened at run time: linking it would cost start-up time, and the player must run on
// (without sound) where it is missing. The program owns one instance and hands it to every
// player. The entry points may only be called once load() has succeeded.
class MpvLibrary {
public:
    explicit MpvLibrary(QString soname = QStringLiteral("libmpv.so.2"));
    // The library stays mapped: libmpv and the decoders it pulls in keep process-wide state
    // (threads, atexit handlers) that does not survive being unloaded. Instances handed to
    // terminateDestroyLater() are ended first.
    ~MpvLibrary();
    MpvLibrary(const MpvLibrary&) = delete;
    MpvLibrary& operator=(const MpvLibrary&) = delete;

    // Opens the library and resolves its entry points. Only the first call does the work;
    // later calls return its result. While a preload runs, waits for it.
    bool load();

    // Opens the library and makes one instance with makeInstance on a thread of its own, beside
    // the rest of the start: loading the library's hundreds of dependencies takes longer than
    // building the windows. Called on the thread of the players; only a call before any other
    // load does anything.
    void preload(std::function<mpv_handle*(MpvLibrary&)> makeInstance);
    // A preload runs: load() would wait for it.
    bool preloading() const { return preloader_.joinable(); }
    // Runs `then` once a running preload has finished, from the event loop of this thread, or
    // at once when none runs. Dropped when `context` goes first.
    void whenLoaded(QObject* context, std::function<void()> then);
    // The instance the preload made, handed out once; null when there is none (any more).
    mpv_handle* takePreloaded() { return std::exchange(preloaded_, nullptr); }
    // What load() found: usable, or why not.
    EngineStatus status() const { return {failure_, soname_, errorText_}; }

    // The entry points (platform/MpvFunctions.h), once load() has succeeded. Everything that
    // reaches the running engine goes through the asynchronous ones: mpv's core waits for the
    // audio output, which waits for the sound server, and a caller on the GUI thread must never
    // wait with it. Replies arrive as events carrying the request's number.
    const MpvFunctions& api() const { return *functions_; }
    // Ends the instance on a thread of the library's own: mpv waits for its audio output to
    // close, and a sound server that has stopped answering would hold the caller for as long.
    // The library waits for these ends when it goes.
    void terminateDestroyLater(mpv_handle* handle);

private:
    bool open();
    void finishPreload();
    void endInstances(const std::stop_token& stop);

    QString soname_;
    bool attempted_ = false;
    EngineStatus::Failure failure_ = EngineStatus::Failure::None;
    QString errorText_;
    std::unique_ptr<const MpvFunctions> functions_;

    // Written by the preload's thread before it ends; read here once it has been joined.
    mpv_handle* preloaded_ = nullptr;
    std::thread preloader_;
    QObject notifier_;  // brings the preload's end to this thread
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> waitingForLoad_;

    std::mutex endingMutex_;
    std::condition_variable_any endingWake_;
    std::deque<mpv_handle*> ending_;
    std::jthread ender_;  // last: it stops and is joined before the members above go
};
