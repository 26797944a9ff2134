#include "folders/FolderScanner.h"

#include <QFile>

#include <dirent.h>
#include <sys/stat.h>
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

bool isMp3Name(std::string_view name) {
    if (name.size() < 4 || name.front() == '.') {
        return false;  // too short, or hidden
    }
    const std::string_view suffix = name.substr(name.size() - 4);
    return suffix[0] == '.' && asciiLower(suffix[1]) == 'm' && asciiLower(suffix[2]) == 'p' &&
           suffix[3] == '3';
}

// Most file systems tell the type in the listing; links and the rest need a look at the target.
bool isRegularFile(DIR* directory, const dirent& entry) {
    if (entry.d_type == DT_REG) {
        return true;
    }
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) {
        return false;
    }
    struct stat status {};
    return ::fstatat(::dirfd(directory), entry.d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
}

bool nameLess(const QString& a, const QString& b) {
    const int caseless = QString::compare(a, b, Qt::CaseInsensitive);
    return caseless != 0 ? caseless < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

// The MP3 names of one folder in playlist order; none when it cannot be listed.
std::vector<QString> mp3NamesIn(const QString& folder) {
    std::vector<QString> names;
    // A NUL byte would cut the path short and list some other folder.
    if (folder.isEmpty() || folder.contains(QChar::Null)) {
        return names;
    }
    const Directory directory(::opendir(QFile::encodeName(folder).constData()));
    if (!directory) {
        return names;
    }
    while (const dirent* entry = ::readdir(directory.get())) {
        const std::string_view raw(entry->d_name);
        if (!isMp3Name(raw) || !isRegularFile(directory.get(), *entry)) {
            continue;
        }
        QString name = QFile::decodeName(entry->d_name);
        // Bytes that do not decode become U+FFFD; such a name would not lead back to the file.
        if (name.contains(QChar::ReplacementCharacter) &&
            QFile::encodeName(name) != QByteArrayView(raw)) {
            continue;
        }
        names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), nameLess);
    return names;
}

QString withoutTrailingSlashes(QString folder) {
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/'))) {
        folder.chop(1);
    }
    return folder;
}

}  // namespace

std::vector<ScannedFile> scanFolders(const QStringList& folders, int limit) {
    std::vector<ScannedFile> files;
    const auto full = [&] { return std::ssize(files) >= limit; };
    for (const QString& listed : folders) {
        if (full()) {
            break;
        }
        const QString folder = withoutTrailingSlashes(listed);
        for (QString& name : mp3NamesIn(folder)) {
            if (full()) {
                break;
            }
            files.push_back({folder, std::move(name)});
        }
    }
    return files;
}

std::vector<PlaylistStore::Entry> toEntries(const std::vector<ScannedFile>& files) {
    std::vector<PlaylistStore::Entry> entries;
    entries.reserve(files.size());
    for (const ScannedFile& file : files) {
        entries.push_back({file.name.chopped(std::min<qsizetype>(4, file.name.size())),
                           file.folder + QLatin1Char('/') + file.name});
    }
    return entries;
}

std::vector<int> shuffledOrder(int count) {
    // One 32-bit seed would reach only a sliver of the orders of a long list.
    std::random_device device;
    std::seed_seq seed{device(), device(), device(), device(),
                       device(), device(), device(), device()};
    std::mt19937 generator(seed);
    return shuffledOrder(count, generator);
}
