#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The folders as the folder windows and the scanner list them. A listing may wait as long as a
// slow or dead mount keeps it waiting, so it is made on worker threads only, and an
// implementation must take calls from several threads at once.
class FolderSource {
public:
    virtual ~FolderSource() = default;

    // The MP3 files of the folder in playlist order; none when it cannot be listed.
    virtual std::vector<QString> mp3NamesIn(const QString& folder) const = 0;
    // The folders directly inside the folder; nullopt when it cannot be listed.
    virtual std::optional<QStringList> subfoldersOf(const QString& folder) const = 0;
};
