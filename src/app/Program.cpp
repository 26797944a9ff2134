#include "app/Program.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

QString Program::playlistFolder() const {
    return programFolder_ + QStringLiteral("/Playlist");
}

QString Program::foldersPath() const {
    return programFolder_ + QStringLiteral("/folders.dat");
}

void Program::makeProgramFolder() const {
    // A folder that exists is left as it is, even without its Playlist folder.
    if (!QFileInfo::exists(programFolder_)) {
        QDir().mkpath(playlistFolder());
    }
}

void Program::holdPlayerWindows(const QObject* holder) {
    if (std::find(playerWindowHolders_.begin(), playerWindowHolders_.end(), holder) ==
        playerWindowHolders_.end()) {
        playerWindowHolders_.push_back(holder);
    }
    applyPlayerWindowHolds();
}

void Program::releasePlayerWindows(const QObject* holder) {
    std::erase(playerWindowHolders_, holder);
    applyPlayerWindowHolds();
}
