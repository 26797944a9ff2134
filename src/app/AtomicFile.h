#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at `path` with `bytes` whole: they go to a temporary file beside it, which is
// renamed over the old file only once everything was written, so a crash or a full disk never
// leaves a half-written file. Returns false, leaving any old file as it was, when it cannot.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);
