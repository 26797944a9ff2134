#include "app/ProgramFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kHelpFile = QStringLiteral("hilfe.rtf");

QString helpBeside(const QString& programFolder) {
    return programFolder + QLatin1Char('/') + kHelpFile;
}

// The build says where the data folder lies, as seen from the folder of the program.
QString installedHelp(const QString& programFolder) {
    return QDir::cleanPath(programFolder + QStringLiteral("/" BRAMBLE_DATA_FROM_PROGRAM "/") +
                           kHelpFile);
}

}  // namespace

CopyKind copyKindOf(const QString& programFolder) {
    if (QFileInfo::exists(helpBeside(programFolder))) {
        return CopyKind::Portable;
    }
    return QFileInfo::exists(installedHelp(programFolder)) ? CopyKind::Installed
                                                           : CopyKind::Unknown;
}

QString filesFolderFor(const QString& programFolder, CopyKind kind, bool programFolderWritable) {
    if (kind != CopyKind::Installed && programFolderWritable) {
        return programFolder;
    }
    // $XDG_CONFIG_HOME, or ~/.config where it is not set.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/brambleplayer");
}

QString filesFolderFor(const QString& programFolder) {
    return filesFolderFor(programFolder, copyKindOf(programFolder),
                          QFileInfo(programFolder).isWritable());
}

QString helpFileFor(const QString& programFolder) {
    return copyKindOf(programFolder) == CopyKind::Portable ? helpBeside(programFolder)
                                                           : installedHelp(programFolder);
}
