#pragma once

#include <QString>

#include "platform/EngineStatus.h"

#include <cstdint>
#include <memory>

// Opaque types of the libmpv client API; only the implementation files see their definitions.
struct mpv_handle;
struct mpv_event;

// libmpv, opened at run time: linking it would cost start-up time, and the player must run on
// (without sound) where it is missing. The program owns one instance and hands it to every
// player. The entry points may only be called once load() has succeeded.
class MpvLibrary {
public:
    explicit MpvLibrary(QString soname = QStringLiteral("libmpv.so.2"));
    // The library stays mapped: libmpv and the decoders it pulls in keep process-wide state
    // (threads, atexit handlers) that does not survive being unloaded.
    ~MpvLibrary();
    MpvLibrary(const MpvLibrary&) = delete;
    MpvLibrary& operator=(const MpvLibrary&) = delete;

    // Opens the library and resolves its entry points. Only the first call does the work;
    // later calls return its result.
    bool load();
    bool isLoaded() const { return functions_ != nullptr; }
    bool attempted() const { return attempted_; }
    // Why load() failed, in the loader's words; empty when it did not.
    QString errorText() const { return errorText_; }
    // What load() found: usable, or why not.
    EngineStatus status() const { return {failure_, soname_, errorText_}; }
    const QString& soname() const { return soname_; }

    // Thin wrappers of the mpv_* functions the player needs. Results are mpv's error codes
    // (negative on failure).
    mpv_handle* create() const;
    int initialize(mpv_handle* handle) const;
    void terminateDestroy(mpv_handle* handle) const;
    int setOptionString(mpv_handle* handle, const char* name, const char* value) const;
    int command(mpv_handle* handle, const char** args) const;
    // Runs a command whose result is a map (such as loadfile's) and reads one integer of it.
    int commandReturningInt(mpv_handle* handle, const char** args, const char* key,
                            std::int64_t* value) const;
    int getDouble(mpv_handle* handle, const char* name, double* value) const;
    // Asks for a property as a node without waiting: the answer comes as an event carrying
    // replyId.
    int requestNode(mpv_handle* handle, std::uint64_t replyId, const char* name) const;
    int setFlag(mpv_handle* handle, const char* name, bool value) const;
    mpv_event* waitEvent(mpv_handle* handle, double timeoutSeconds) const;
    void setWakeupCallback(mpv_handle* handle, void (*callback)(void*), void* data) const;
    QString errorString(int error) const;

private:
    struct Functions;

    QString soname_;
    bool attempted_ = false;
    EngineStatus::Failure failure_ = EngineStatus::Failure::None;
    QString errorText_;
    std::unique_ptr<const Functions> functions_;
};
