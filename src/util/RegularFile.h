#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct FileStart {
    QByteArray bytes;    // the first bytes of the file, up to the limit
    bool whole = false;  // they are all of it
};

// Reads the regular file at `path` up to `limit` bytes. Anything else (a folder, a FIFO, a
// device, a link to one) is never opened for reading: a FIFO would block the open for good and
// /dev/zero never ends. The open itself cannot block either, should the file be swapped for a
// FIFO in between. nullopt when there is no regular file or it cannot be read.
std::optional<FileStart> readRegularFile(const QString& path, qint64 limit);
