#include "platform/FolderListing.h"

#include "platform/FileNames.h"
#include "platform/LocalFolders.h"

#include <dirent.h>
#include <sys/stat.h>
#include <algorithm>
#include <memory>
#include <string_view>

namespace {

struct DirectoryCloser {
    void operator()(DIR* directory) const { ::closedir(directory); }
};
using Directory = std::unique_ptr<DIR, DirectoryCloser>;

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isHidden(std::string_view name) {
    return name.empty() || name.front() == '.';
}

bool isMp3Name(std::string_view name) {
    if (name.size() < 4 || isHidden(name)) {
        return false;
    }
    const std::string_view suffix = name.substr(name.size() - 4);
    return suffix[0] == '.' && asciiLower(suffix[1]) == 'm' && asciiLower(suffix[2]) == 'p' &&
           suffix[3] == '3';
}

// Most file systems tell the type in the listing; links and the rest need a look at the target.
bool hasType(DIR* directory, const dirent& entry, unsigned char listedType, mode_t statType) {
    if (entry.d_type == listedType) {
        return true;
    }
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) {
        return false;
    }
    struct stat status {};
    return ::fstatat(::dirfd(directory), entry.d_name, &status, 0) == 0 &&
           (status.st_mode & S_IFMT) == statType;
}

bool nameLess(const QString& a, const QString& b) {
    const int caseless = QString::compare(a, b, Qt::CaseInsensitive);
    return caseless != 0 ? caseless < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

// Calls take(directory, entry) for every entry; false when the folder cannot be listed.
template <typename Take>
bool forEachEntry(const QString& folder, Take take) {
    // A NUL byte would cut the path short and list some other folder.
    if (folder.isEmpty() || folder.contains(QChar::Null)) {
        return false;
    }
    const Directory directory(::opendir(encodeFileName(folder).constData()));
    if (!directory) {
        return false;
    }
    while (const dirent* entry = ::readdir(directory.get())) {
        take(directory.get(), *entry);
    }
    return true;
}

}  // namespace

std::vector<QString> LocalFolders::mp3NamesIn(const QString& folder) const {
    std::vector<QString> names;
    forEachEntry(folder, [&names](DIR* directory, const dirent& entry) {
        if (!isMp3Name(entry.d_name) || !hasType(directory, entry, DT_REG, S_IFREG)) {
            return;
        }
        names.push_back(decodeFileName(entry.d_name));
    });
    std::sort(names.begin(), names.end(), nameLess);
    return names;
}

std::optional<QStringList> LocalFolders::subfoldersOf(const QString& folder) const {
    QStringList names;
    const bool listed = forEachEntry(folder, [&names](DIR* directory, const dirent& entry) {
        if (isHidden(entry.d_name) || !hasType(directory, entry, DT_DIR, S_IFDIR)) {
            return;
        }
        names.append(decodeFileName(entry.d_name));
    });
    if (!listed) {
        return std::nullopt;
    }
    std::sort(names.begin(), names.end(), nameLess);
    return names;
}

QString childPath(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}
