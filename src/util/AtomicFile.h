#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at `path` with `bytes` whole: they go to a new file beside it, which takes
// the old file's place (and permissions) only once everything was written and synced, so a
// crash or a full disk never leaves a half-written file. A link is followed and its target
// replaced. Returns false, leaving any old file as it was, when it cannot: a read-only file, and
// anything that is not a regular file (a folder, a device such as /dev/null, a FIFO), stay as
// they are.
//
// The new file has no name while it is written, so a crash leaves nothing behind (it bears its
// temporary name, temporaryPathFor, only for the instant between being linked in and renamed
// over the old file). Where the file system has no unnamed files it is written under that name,
// which a crash would leave; each write first removes such leftovers from its folder. Writers in
// one folder, in this process or another copy of the program, take turns, so none renames or
// removes another's temporary file.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);

// Removes the temporary files that interrupted writes left in `folder`. Only regular files with
// the writer's temporary names are touched; nothing is removed while another copy of the program
// is writing there.
void removeStaleTemporaryFiles(const QString& folder);
