#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at `path` with `bytes` whole: they go to a temporary file beside it, which is
// renamed over the old file only once everything was written and synced, so a crash or a full
// disk never leaves a half-written file. A link is followed and its target replaced. Returns
// false, leaving any old file as it was, when it cannot (a read-only file stays as it is).
//
// Each file has one temporary name (temporaryPathFor): a crash between writing and renaming
// leaves at most that one file, and the next write of the same file replaces it. Writers in one
// folder, in this process or another copy of the program, take turns, so none renames another's
// half-written temporary file.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);

// The temporary file the writer uses for the file at `path`.
QString temporaryPathFor(const QString& path);

// Removes the temporary files that interrupted writes left in `folder`. Only regular files with
// the writer's temporary names are touched; nothing is removed while another copy of the program
// is writing there.
void removeStaleTemporaryFiles(const QString& folder);
