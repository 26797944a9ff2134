#pragma once

#include <QString>
#include <QStringList>

// The "drives" of the folder browser are the mounted file systems.

// Their mount points: the root "/" first, then the others in name order.
QStringList mountedDrives();

// The drive that holds `path`: the longest of `drives` that is `path` or a folder above it.
// "" when none is.
QString driveOf(const QString& path, const QStringList& drives);
