#pragma once

#include "platform/FolderSource.h"

// The folders of this machine's file systems (platform/FolderListing.cpp).
class LocalFolders : public FolderSource {
public:
    // The regular files, or links to them, whose names end in ".mp3" in any case, hidden files
    // left out, sorted by name without regard to case (names that differ only in case in
    // case-sensitive order). A name that does not decode losslessly from the file system's
    // encoding is left out, since the path built from it could not open the file.
    std::vector<QString> mp3NamesIn(const QString& folder) const override;
    // The folders (or links to folders), hidden ones left out, sorted as above.
    std::optional<QStringList> subfoldersOf(const QString& folder) const override;
};
