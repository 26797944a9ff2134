#pragma once

#include "platform/FolderListing.h"
#include "platform/FolderSource.h"

// The folders of this machine's file systems.
class LocalFolders : public FolderSource {
public:
    std::vector<QString> mp3NamesIn(const QString& folder) const override {
        return ::mp3NamesIn(folder);
    }
    std::optional<QStringList> subfoldersOf(const QString& folder) const override {
        return ::subfoldersOf(folder);
    }
};
