#include "util/RegularFile.h"

#include "platform/FileNames.h"
#include "util/FileDescriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <algorithm>
#include <cerrno>

std::optional<FileStart> readRegularFile(const QString& path, qint64 limit) {
    if (fileTypeOf(path) != FileType::Regular) {
        return std::nullopt;
    }
    const FileDescriptor file(
        ::open(encodeFileName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status {};
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    // One byte beyond the limit tells whether there is more; the size said is only where to
    // start, since the file may grow while it is read.
    const qint64 wanted = limit + 1;
    QByteArray bytes(std::min<qint64>(std::max<qint64>(status.st_size, 0) + 1, wanted),
                     Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled == wanted) {
                break;
            }
            bytes.resize(std::min(wanted, 2 * filled));
        }
        const ssize_t got =
            ::read(file.get(), bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        filled += got;
    }
    const bool whole = filled <= limit;
    bytes.truncate(std::min(filled, limit));
    return FileStart{std::move(bytes), whole};
}
