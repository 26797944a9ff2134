#include "app/ProgramFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kHelpFile = QStringLiteral("hilfe.rtf");

}  // namespace

QString filesFolderFor(const QString& programFolder, bool programFolderWritable) {
    if (programFolderWritable) {
        return programFolder;
    }
    // $XDG_CONFIG_HOME, or ~/.config where it is not set.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/brambleplayer");
}

QString filesFolderFor(const QString& programFolder) {
    return filesFolderFor(programFolder, QFileInfo(programFolder).isWritable());
}

QString helpFileFor(const QString& programFolder) {
    QString beside = programFolder + QLatin1Char('/') + kHelpFile;
    if (QFileInfo::exists(beside)) {
        return beside;
    }
    // The build says where the data folder lies, as seen from the folder of the program.
    return QDir::cleanPath(programFolder + QStringLiteral("/" BRAMBLE_DATA_FROM_PROGRAM "/") +
                           kHelpFile);
}
