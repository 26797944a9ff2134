#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// Names of files and folders as the program holds them, and the bytes the system knows them by.
//
// A name on Linux is any string of bytes; most are UTF-8, but folders from old disks and shares
// often carry Latin-1 names. Qt reads undecodable bytes as U+FFFD, so such a name neither leads
// back to its folder nor survives being written to a list file. Here every byte that is not part
// of valid UTF-8 is kept as a lone low surrogate, U+DC80 + (byte - 0x80), the escape Python uses
// for the same purpose, and is turned back into that byte on the way out. Valid UTF-8 never
// decodes to a lone surrogate, so the mapping is exact both ways and a name stays an ordinary
// QString everywhere in between (lists, models, line edits keep the escapes untouched). Qt's own
// file classes would spoil the escapes: every path the program opens, lists or hands to the
// engine goes through encodeFileName.

// The name held for these bytes: UTF-8 where they are valid UTF-8, an escape for every other
// byte.
QString decodeFileName(QByteArrayView bytes);
// The bytes of a name from decodeFileName; other text is written as UTF-8.
QByteArray encodeFileName(const QString& name);

// The name for showing: escaped bytes read as Latin-1, the usual meaning of such names; the
// control range 0x80-0x9F shows as U+FFFD. Never turn the result back into a path.
QString shownFileName(const QString& name);

// `path` made absolute against the working directory and cleaned of "." and "..", doubled and
// trailing slashes, as text: escapes stay as they are.
QString absoluteFilePath(const QString& path);

// The file:// address of an absolute path. It carries the bytes the system knows the file by,
// percent-encoded where they are not plain ASCII, so that a name that is not UTF-8 leads back to
// its file.
QString fileUrlOf(const QString& path);
// The absolute path of a local file's address (file:///... or file://localhost/...), read from
// the bytes its percent-encoding stands for; nothing for any other address.
std::optional<QString> pathOfFileUrl(const QString& url);

// What `path` names, following links; None when it names nothing or cannot be looked at.
enum class FileType { None, Regular, Folder, Other };
FileType fileTypeOf(const QString& path);
