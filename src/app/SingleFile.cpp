#include "app/SingleFile.h"

#include <QDir>
#include <QFileInfo>

FileRefusal checkSingleFile(const QString& path) {
    if (path.isEmpty()) {
        return FileRefusal::Missing;
    }
    const QFileInfo info(path);
    if (info.isDir()) {
        return FileRefusal::Folder;
    }
    if (!info.exists()) {
        return FileRefusal::Missing;
    }
    if (!info.isFile() || !info.fileName().endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive)) {
        return FileRefusal::NotMp3;
    }
    return FileRefusal::None;
}

QString refusalText(FileRefusal refusal, const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    switch (refusal) {
        case FileRefusal::Folder:
            return QStringLiteral(
                       "\"%1\" ist ein Verzeichnis. Abgespielt wird nur eine "
                       "einzelne MP3-Datei.")
                .arg(shown);
        case FileRefusal::Missing:
            return QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(shown);
        case FileRefusal::NotMp3:
            return QStringLiteral("\"%1\" ist keine MP3-Datei.").arg(shown);
        case FileRefusal::NotLocal:
            return QStringLiteral("\"%1\" ist keine Datei auf diesem Rechner.").arg(shown);
        case FileRefusal::None:
            break;
    }
    return {};
}
