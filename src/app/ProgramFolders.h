#pragma once

#include <QString>

// Where the program keeps its files (settings.cfg, folders.dat, Playlist/) and finds its help.
// A copy in a folder its user may write keeps everything beside itself; an installed copy,
// whose folder only the administrator may write, keeps them in the user's own configuration
// folder, so that every user of it has settings of their own.

// The folder the files are kept in, given whether the program's own folder may be written.
QString filesFolderFor(const QString& programFolder, bool programFolderWritable);

// The same, asking the file system whether the program's folder may be written.
QString filesFolderFor(const QString& programFolder);

// hilfe.rtf beside the program, or else in the data folder of the installation it belongs to.
QString helpFileFor(const QString& programFolder);
