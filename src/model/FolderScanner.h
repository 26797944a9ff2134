#pragma once

#include "model/PlaylistStore.h"
#include "platform/LocalFolders.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <numeric>
#include <random>
#include <stop_token>
#include <vector>

// Turns a folder list into playlist entries.

struct ScannedFile {
    QString folder;  // as listed, without trailing slashes ("/" stays "/")
    QString name;

    bool operator==(const ScannedFile&) const = default;
};

// Every MP3 file of the folders, folder by folder in list order (a folder listed twice gives its
// files twice), each folder's files as the source's mp3NamesIn() lists them. A folder that
// cannot be listed (gone, no permission, not a folder, empty path) is skipped. Stops once
// `limit` files are collected; those are the first `limit` in that order. Asked to stop, it
// lists no further folder.
std::vector<ScannedFile> scanFolders(const QStringList& folders,
                                     int limit = PlaylistStore::kCapacity,
                                     const FolderSource& source = LocalFolders(),
                                     std::stop_token stop = {});

// Title = the name without its last four characters, as shownFileName shows it; path = folder +
// "/" + name, so a file in the root "/" gets "//" + name.
std::vector<PlaylistStore::Entry> toEntries(const std::vector<ScannedFile>& files);

// A uniformly random permutation of 1..count from `generator`.
template <std::uniform_random_bit_generator Generator>
std::vector<int> shuffledOrder(int count, Generator& generator) {
    std::vector<int> order(static_cast<std::size_t>(std::max(count, 0)));
    std::iota(order.begin(), order.end(), 1);
    std::shuffle(order.begin(), order.end(), generator);
    return order;
}

// A uniformly random permutation of 1..count, drawn anew at each call.
std::vector<int> shuffledOrder(int count);
