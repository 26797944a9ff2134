#include "model/FolderScanner.h"

#include "platform/FileNames.h"

namespace {

QString withoutTrailingSlashes(QString folder) {
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/'))) {
        folder.chop(1);
    }
    return folder;
}

}  // namespace

std::vector<ScannedFile> scanFolders(const QStringList& folders, int limit,
                                     const FolderSource& source, std::stop_token stop) {
    std::vector<ScannedFile> files;
    const auto full = [&] { return std::ssize(files) >= limit; };
    for (const QString& listed : folders) {
        if (full() || stop.stop_requested()) {
            break;
        }
        const QString folder = withoutTrailingSlashes(listed);
        for (QString& name : source.mp3NamesIn(folder)) {
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
        entries.push_back(
            {shownFileName(file.name.chopped(std::min<qsizetype>(4, file.name.size()))),
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
