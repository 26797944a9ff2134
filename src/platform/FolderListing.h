#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What one folder holds, as the folder browser and the scanner list it.

// The MP3 files of the folder in playlist order: the regular files, or links to them, whose
// names end in ".mp3" in any case, hidden files left out, sorted by name without regard to case
// (names that differ only in case in case-sensitive order). A name that does not decode
// losslessly from the file system's encoding is left out, since the path built from it could
// not open the file. None when the folder cannot be listed.
std::vector<QString> mp3NamesIn(const QString& folder);

// The folders directly inside the folder (or links to folders), hidden ones left out, sorted as
// above. nullopt when the folder cannot be listed (gone, no permission, not a folder).
std::optional<QStringList> subfoldersOf(const QString& folder);

// folder + "/" + name, without doubling the slash of the root.
QString childPath(const QString& folder, const QString& name);
