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

bool writeAll(int fd, const QByteArray& bytes) {
    const char* next = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        next += written;
        left -= written;
    }
    return true;
}

}  // namespace

QString temporaryPathFor(const QString& path) {
    return path + kTemporarySuffix;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes) {
    const QString target = path.isEmpty() ? QString() : fileBehindLinks(path);
    const QFileInfo targetInfo(target);
    if (target.isEmpty() || targetInfo.isDir() ||
        (targetInfo.exists() && !targetInfo.isWritable())) {
        return false;
    }
    const FolderLock lock(targetInfo.absolutePath(), kLockWait);
    if (!lock.acquired()) {
        return false;
    }

    const QByteArray targetName = QFile::encodeName(target);
    const QByteArray temporaryName = QFile::encodeName(temporaryPathFor(target));
    // Left by an interrupted write; O_EXCL below also keeps a link planted there from being
    // followed.
    ::unlink(temporaryName.constData());
    FileDescriptor file(::open(temporaryName.constData(),
                               O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (file.get() < 0) {
        return false;
    }
    struct stat old {};
    if (::stat(targetName.constData(), &old) == 0) {
        ::fchmod(file.get(), old.st_mode & 07777);  // the new content keeps the old permissions
    }
    const bool written = writeAll(file.get(), bytes) && ::fsync(file.get()) == 0 && file.close();
    if (!written || ::rename(temporaryName.constData(), targetName.constData()) != 0) {
        ::unlink(temporaryName.constData());
        return false;
    }
    return true;
}

void removeStaleTemporaryFiles(const QString& folder) {
    // Another copy writing there now holds the lock; its temporary file is not stale.
    const FolderLock lock(folder, std::chrono::milliseconds(0));
    if (!lock.acquired()) {
        return;
    }
    const QDir dir(folder);
    const QStringList stale = dir.entryList({QStringLiteral("?*") + kTemporarySuffix},
                                            QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString& name : stale) {
        QFile::remove(dir.filePath(name));
    }
}
