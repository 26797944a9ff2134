#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

class MessageBoxes;

// The line files that hold folder lists (folders.dat and saved .mpc playlists): one record per
// line, each the bytes of a folder's name as the system knows it (platform/FileNames.h), so a
// name that is not UTF-8 is written back exactly as it was read.

// Beyond these a file is no folder list the program wrote: a read stops there, and the records
// read so far count. A line longer than any folder path (PATH_MAX is 4096) is no folder and is
// passed over.
inline constexpr qint64 kListFileMaxBytes = qint64{1024} * 1024;
inline constexpr qsizetype kListFileMaxRecords = 100'000;
inline constexpr qsizetype kListFileMaxLineBytes = qsizetype{64} * 1024;

struct ListFileContents {
    QStringList records;
    // The read stopped at the byte or record limit before the end of the file.
    bool cutShort = false;
    // Lines passed over for being longer than kListFileMaxLineBytes.
    int overlongLines = 0;
    // The lines taken, records and overlong ones: the last line read when the read was cut.
    qsizetype linesRead = 0;

    // Something of the file is not in the records: a rewrite from them would lose it.
    bool lostLines() const { return cutShort || overlongLines > 0; }
};

// Each line, without its line end (CR LF or a bare LF) and without leading and trailing blanks,
// is one record, whatever else it holds; an empty line gives an empty record and a last line
// without line end counts, unless a limit cut it. A line whose blanks belong to the name, that
// is a line that names an existing folder as it stands, is kept whole. nullopt when the file
// cannot be read: missing, unreadable, or not a regular file (a folder, or a FIFO that would
// block).
std::optional<ListFileContents> readListFileContents(const QString& path);

// The records of readListFileContents.
std::optional<QStringList> readListFile(const QString& path);

// The line of `data` that starts at `pos`, without its line end (CR LF or a bare LF), moving
// `pos` past it. nullopt at the end of the data, and for a last line without line end that the
// read did not take whole (`wholeFile` false): it may go on beyond.
std::optional<QByteArrayView> nextLine(const QByteArray& data, bool wholeFile, qsizetype& pos);

// False for a record holding a line break or a NUL byte: it cannot be stored as one line.
bool storableInListFile(const QString& record);

// Replaces the file whole with each record followed by CR LF; an empty list gives an empty file.
// A record that is not storableInListFile is left out.
// An empty path writes nothing. Returns false, leaving any old file as it was, when it cannot.
bool writeListFile(const QString& path, const QStringList& records);

// Tells the user, naming the file and the line, that a folder list was read only in part, so
// that the next save of it will lack the rest. Says nothing when the whole file was read.
void tellListCut(MessageBoxes& messages, const QString& path, const ListFileContents& read);
