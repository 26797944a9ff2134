#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The line files that hold folder lists (folders.dat and saved .mpc playlists): one record per
// line, in the locale's 8-bit encoding.

// Each line, without its line end (CR LF or a bare LF) and without leading and trailing blanks,
// is one record, whatever else it holds; an empty line gives an empty record and a last line
// without line end counts. nullopt when the file cannot be read: missing, unreadable, or not a
// regular file (a folder, or a FIFO that would block).
std::optional<QStringList> readListFile(const QString& path);

// Replaces the file whole with each record followed by CR LF; an empty list gives an empty file.
// A record holding a line break or a NUL byte cannot be stored as one line and is left out.
// An empty path writes nothing. Returns false, leaving any old file as it was, when it cannot.
bool writeListFile(const QString& path, const QStringList& records);
