#pragma once

#include <QString>

// Where the program keeps its files (settings.cfg, folders.dat, Playlist/) and finds its help.
// A portable copy, with hilfe.rtf beside it, keeps everything beside itself. An installed copy,
// whose help text lies in the data folder of its installation, keeps them in the user's own
// configuration folder, whoever runs it (root too, who could write anywhere): every user of it
// has settings of their own, and nothing is ever written into the installation.

enum class CopyKind {
    Portable,   // hilfe.rtf beside the program
    Installed,  // hilfe.rtf in the installation's data folder only
    Unknown,    // hilfe.rtf in neither place
};

// What kind of copy lives in programFolder, by where its help text lies.
CopyKind copyKindOf(const QString& programFolder);

// The folder the files are kept in. A copy that is not installed keeps them beside itself
// where it may write there, and otherwise in the user's folder.
QString filesFolderFor(const QString& programFolder, CopyKind kind, bool programFolderWritable);

// The same, asking the file system.
QString filesFolderFor(const QString& programFolder);

// hilfe.rtf beside the program, or else in the data folder of the installation it belongs to.
QString helpFileFor(const QString& programFolder);
