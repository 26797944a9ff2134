#include "util/AtomicFile.h"

#include "util/FileDescriptor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <optional>
#include <thread>

namespace {

// Distinct enough that a file with this ending is one of the writer's own.
const QLatin1StringView kTemporarySuffix(".bramble-tmp");

// A crashed copy releases its lock at once; a live one holds it for one small write.
constexpr std::chrono::milliseconds kLockWait(2000);
constexpr std::chrono::milliseconds kLockRetry(5);
// Link chains longer than this are loops, as for the kernel.
constexpr int kMaxLinkDepth = 40;

// An exclusive lock on a folder, held while a temporary file of the writer exists in it.
class FolderLock {
public:
    FolderLock(const QString& folder, std::chrono::milliseconds wait)
        : folder_(
              ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (folder_.get() < 0) {
            // Cannot be locked (missing, or not readable): the write finds out for itself
            // whether it can go there.
            acquired_ = true;
            return;
        }
        const auto deadline = std::chrono::steady_clock::now() + wait;
        while (::flock(folder_.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR) {
                // A file system without locks: writers there cannot be kept apart.
                acquired_ = true;
                return;
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                return;
            }
            std::this_thread::sleep_for(kLockRetry);
        }
        acquired_ = true;
    }

    bool acquired() const { return acquired_; }

private:
    FileDescriptor folder_;  // closing it releases the lock
    bool acquired_ = false;
};

// The file a write replaces: a link's target, as far as the chain goes; empty for a loop.
QString fileBehindLinks(const QString& path) {
    QFileInfo info(path);
    for (int depth = 0; info.isSymLink(); ++depth) {
        if (depth == kMaxLinkDepth) {
            return {};
        }
        info.setFile(info.symLinkTarget());
    }
    return info.filePath();
}

// What a write finds at the target's name.
struct OldFile {
    bool exists = false;
    mode_t mode = 0;
};

// Nothing yet, or a regular file that may be written: what a write may replace. A device or a
// FIFO is not content of ours (a link to /dev/null may be how the user keeps the player from
// saving), nor is a folder: nullopt.
std::optional<OldFile> replaceableAt(const QByteArray& target) {
    struct stat old {};
    if (::stat(target.constData(), &old) != 0) {
        return errno == ENOENT ? std::optional(OldFile{}) : std::nullopt;
    }
    if (!S_ISREG(old.st_mode) || ::access(target.constData(), W_OK) != 0) {
        return std::nullopt;
    }
    return OldFile{true, old.st_mode};
}

// Gives the new file the old one's permissions and its content, on the disk.
bool fill(int fd, const QByteArray& bytes, const OldFile& old) {
    if (old.exists) {
        ::fchmod(fd, old.mode & 07777);
    }
    // Unbuffered, QFile writes every byte however the system splits the write, or fails.
    QFile file;
    return file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                     QFileDevice::DontCloseHandle) &&
           file.write(bytes) == bytes.size() && ::fsync(fd) == 0;
}

// Writes into an unnamed file in the target's folder, which a crash takes with it, and links it
// into place once whole: straight at the target's name where there is no old file, else under
// the temporary name, renamed over the old file at once. nullopt: the folder's file system has
// no unnamed files, or they cannot be linked here.
std::optional<bool> writeUnnamed(const QByteArray& folder, const QByteArray& target,
                                 const QByteArray& temporary, const QByteArray& bytes,
                                 const OldFile& old) {
    const FileDescriptor file(::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (file.get() < 0) {
        return std::nullopt;
    }
    if (!fill(file.get(), bytes, old)) {
        return false;
    }
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(file.get());
    const auto linkAs = [&self](const QByteArray& name) {
        return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(),
                        AT_SYMLINK_FOLLOW) == 0;
    };
    if (!old.exists && linkAs(target)) {
        return true;
    }
    ::unlink(temporary.constData());
    if (!linkAs(temporary)) {
        return std::nullopt;
    }
    if (::rename(temporary.constData(), target.constData()) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
    return true;
}

// Writes into a file with the temporary name and renames it over the target once whole.
bool writeNamed(const QByteArray& target, const QByteArray& temporary, const QByteArray& bytes,
                const OldFile& old) {
    // Left by an interrupted write; O_EXCL below also keeps a link planted there from being
    // followed.
    ::unlink(temporary.constData());
    FileDescriptor file(
        ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (file.get() < 0) {
        return false;
    }
    const bool written = fill(file.get(), bytes, old) && file.close();
    if (!written || ::rename(temporary.constData(), target.constData()) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
    return true;
}

void removeTemporaryFilesIn(const QString& folder) {
    const QDir dir(folder);
    const QStringList stale = dir.entryList({QStringLiteral("?*") + kTemporarySuffix},
                                            QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString& name : stale) {
        QFile::remove(dir.filePath(name));
    }
}

}  // namespace

bool writeFileAtomically(const QString& path, const QByteArray& bytes) {
    const QString target = path.isEmpty() ? QString() : fileBehindLinks(path);
    if (target.isEmpty()) {
        return false;
    }
    const QByteArray targetName = QFile::encodeName(target);
    const std::optional<OldFile> old = replaceableAt(targetName);
    if (!old) {
        return false;
    }
    const QString folder = QFileInfo(target).absolutePath();
    const FolderLock lock(folder, kLockWait);
    if (!lock.acquired()) {
        return false;
    }
    // What writes killed here left behind (only a file system without unnamed files leaves any
    // but by a rare chance).
    removeTemporaryFilesIn(folder);

    const QByteArray temporaryName = QFile::encodeName(target + kTemporarySuffix);
    const std::optional<bool> unnamed =
        writeUnnamed(QFile::encodeName(folder), targetName, temporaryName, bytes, *old);
    return unnamed ? *unnamed : writeNamed(targetName, temporaryName, bytes, *old);
}

void removeStaleTemporaryFiles(const QString& folder) {
    // Another copy writing there now holds the lock; its temporary file is not stale.
    const FolderLock lock(folder, std::chrono::milliseconds(0));
    if (lock.acquired()) {
        removeTemporaryFilesIn(folder);
    }
}
