#include "LaunchedProgram.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace bramble::bench {

namespace fs = std::filesystem;

TemporaryProgramFolder::TemporaryProgramFolder(const fs::path& binary) {
    std::string pattern = (fs::temp_directory_path() / "bramble-bench.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    folder_ = pattern;
    executable_ = folder_ / binary.filename();
    fs::copy_file(binary, executable_);
    const fs::path help = binary.parent_path() / "hilfe.rtf";
    if (fs::exists(help)) {
        fs::copy_file(help, folder_ / "hilfe.rtf");
    }
    fs::create_directory(folder_ / "Playlist");
}

TemporaryProgramFolder::~TemporaryProgramFolder() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

ToneFolder::ToneFolder(int seconds) : seconds_(seconds) {
    std::string pattern = (fs::temp_directory_path() / "bramble-bench-tone.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    folder_ = pattern;
    const fs::path wav = folder_ / "tone.wav";
    runCommand("sox -R -D -n -r 44100 -c 2 -b 16 " + shellQuoted(wav) + " synth " +
               std::to_string(seconds) + " sine 440 vol 0.5");
    runCommand("lame --quiet --cbr -b 128 " + shellQuoted(wav) + " " + shellQuoted(file()));
    fs::remove(wav);
}

ToneFolder::~ToneFolder() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

void runCommand(const std::string& command) {
    if (std::system(command.c_str()) != 0) {
        throw std::runtime_error("failed: " + command);
    }
}

std::string shellQuoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

LaunchedProgram::LaunchedProgram(const fs::path& executable,
                                 const std::vector<std::string>& arguments) {
    const std::string path = executable.string();
    const std::string folder = executable.parent_path().string();
    std::vector<std::string> words{path};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid_ == 0) {
        const int devNull = open("/dev/null", O_RDWR);
        if (devNull >= 0) {
            dup2(devNull, STDIN_FILENO);
            dup2(devNull, STDOUT_FILENO);
            dup2(devNull, STDERR_FILENO);
        }
        if (folder.empty() || chdir(folder.c_str()) == 0) {
            execvp(path.c_str(), argv.data());
        }
        _exit(127);
    }
}

LaunchedProgram::~LaunchedProgram() {
    if (pid_ <= 0) {
        return;
    }
    kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool LaunchedProgram::running() const {
    // A zombie still answers kill(0); peeking with waitid leaves it to the destructor to reap.
    siginfo_t info{};
    if (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) != 0) {
        return false;
    }
    return info.si_pid == 0;
}

std::optional<pid_t> soundServer() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr) {
        return std::nullopt;
    }
    std::ifstream pidFile(fs::path(runtime) / "pulse" / "pid");
    pid_t pid = 0;
    if (!(pidFile >> pid) || pid <= 0 || kill(pid, 0) != 0) {
        return std::nullopt;
    }
    return pid;
}

StoppedServer::StoppedServer(pid_t pid) : pid_(pid) {
    kill(pid_, SIGSTOP);
}

StoppedServer::~StoppedServer() {
    kill(pid_, SIGCONT);
}

}  // namespace bramble::bench
