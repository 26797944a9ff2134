#include "folders/Drives.h"

#include <QStorageInfo>

#include <algorithm>

#include "platform/MessageBoxes.h"

QStringList mountedDrives() {
    QStringList drives;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && !drives.contains(volume.rootPath())) {
            drives.append(volume.rootPath());
        }
    }
    std::sort(drives.begin(), drives.end());  // "/" sorts before every other absolute path
    if (!drives.contains(QStringLiteral("/"))) {
        drives.prepend(QStringLiteral("/"));
    }
    return drives;
}

QString driveOf(const QString& path, const QStringList& drives) {
    QString best;
    for (const QString& drive : drives) {
        const bool holds = path == drive || drive == QLatin1String("/") ||
                           path.startsWith(drive + QLatin1Char('/'));
        if (holds && path.startsWith(drive) && drive.size() > best.size()) {
            best = drive;
        }
    }
    return best;
}

void DriveList::refresh() {
    clear();
    addItems(mountedDrives());
}

void DriveList::selectDriveOf(const QString& folder) {
    QStringList drives;
    for (int i = 0; i < count(); ++i) {
        drives.append(itemText(i));
    }
    const int index = static_cast<int>(drives.indexOf(driveOf(folder, drives)));
    if (index >= 0) {
        setCurrentIndex(index);
    }
}

void tellNoMedium(MessageBoxes& messages) {
    messages.show(QStringLiteral("Kein Datenträger in diesem Laufwerk!"), QStringLiteral("Fehler!"),
                  MessageBoxes::Buttons::Ok, MessageBoxes::Icon::None);
}
