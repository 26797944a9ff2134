#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace bramble::bench {

// A throw-away program folder laid out like the build's: a copy of the binary, the help file
// beside it when the source folder has one, and an empty Playlist folder. Removed on destruction.
class TemporaryProgramFolder {
public:
    explicit TemporaryProgramFolder(const std::filesystem::path& binary);
    ~TemporaryProgramFolder();
    TemporaryProgramFolder(const TemporaryProgramFolder&) = delete;
    TemporaryProgramFolder& operator=(const TemporaryProgramFolder&) = delete;

    const std::filesystem::path& executable() const { return executable_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path executable_;
};

// A folder holding one MP3 tone of the given length: a 440 Hz sine, stereo 44.1 kHz at
// 128 kbit/s, as a song would be encoded (sox and lame make it). Removed on destruction.
class ToneFolder {
public:
    explicit ToneFolder(int seconds);
    ~ToneFolder();
    ToneFolder(const ToneFolder&) = delete;
    ToneFolder& operator=(const ToneFolder&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path file() const { return folder_ / "tone.mp3"; }
    int seconds() const { return seconds_; }

private:
    int seconds_;
    std::filesystem::path folder_;
};

// Runs a shell command; throws when it fails.
void runCommand(const std::string& command);
// The path in single quotes, for a shell command.
std::string shellQuoted(const std::filesystem::path& path);

// A running copy of a program, started with its folder as working directory and its output
// discarded. Terminated and reaped on destruction. A bare name is looked up in PATH.
class LaunchedProgram {
public:
    explicit LaunchedProgram(const std::filesystem::path& executable,
                             const std::vector<std::string>& arguments = {});
    ~LaunchedProgram();
    LaunchedProgram(const LaunchedProgram&) = delete;
    LaunchedProgram& operator=(const LaunchedProgram&) = delete;

    pid_t pid() const { return pid_; }
    bool running() const;

private:
    pid_t pid_ = -1;
};

// The sound server of this session ($XDG_RUNTIME_DIR/pulse/pid), if one runs.
std::optional<pid_t> soundServer();

// Keeps the sound server stopped (SIGSTOP) for as long as it lives: it accepts connections, but
// answers nothing.
class StoppedServer {
public:
    explicit StoppedServer(pid_t pid);
    ~StoppedServer();
    StoppedServer(const StoppedServer&) = delete;
    StoppedServer& operator=(const StoppedServer&) = delete;

private:
    pid_t pid_;
};

}  // namespace bramble::bench
