#include "model/PlaylistStore.h"

#include <algorithm>

namespace {

// `order` as a permutation of 1..count: its usable numbers first, in its order, then the
// numbers it lacks.
std::vector<int> permutationOf(std::vector<int> order, int count) {
    std::vector<bool> taken(static_cast<std::size_t>(count) + 1, false);
    std::size_t kept = 0;
    for (const int number : order) {
        if (number >= 1 && number <= count && !taken[number]) {
            taken[number] = true;
            order[kept++] = number;
        }
    }
    order.resize(kept);
    for (int number = 1; number <= count; ++number) {
        if (!taken[number]) {
            order.push_back(number);
        }
    }
    return order;
}

}  // namespace

QString PlaylistStore::title(int slot) const {
    return holds(slot) ? entries_[slot - 1].title : QString();
}

QString PlaylistStore::path(int slot) const {
    return holds(slot) ? entries_[slot - 1].path : QString();
}

int PlaylistStore::order(int slot) const {
    return holds(slot) ? order_[slot - 1] : 0;
}

QStringList PlaylistStore::titles() const {
    QStringList result;
    result.reserve(count());
    for (const Entry& entry : entries_) {
        result.append(entry.title);
    }
    return result;
}

void PlaylistStore::blankEntries() {
    std::fill(entries_.begin(), entries_.end(), Entry{});
}

void PlaylistStore::fill(std::vector<Entry> entries, std::vector<int> order) {
    if (entries.size() > static_cast<std::size_t>(kCapacity)) {
        entries.resize(kCapacity);
    }
    entries_ = std::move(entries);
    order_ = permutationOf(std::move(order), count());
}

void PlaylistStore::removeEntry(int slot) {
    if (!holds(slot)) {
        return;
    }
    entries_.erase(entries_.begin() + (slot - 1));
    std::erase(order_, slot);
    for (int& number : order_) {
        if (number > slot) {
            --number;
        }
    }
}
