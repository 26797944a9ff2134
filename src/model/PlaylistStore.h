#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The playlist's entries and their shuffle order. Entries are numbered from 1 (slot 1 to
// count()); slot 0 and every slot past count() hold nothing, and asking for them is harmless.
class PlaylistStore {
public:
    static constexpr int kCapacity = 2000;

    struct Entry {
        QString title;
        QString path;

        bool operator==(const Entry&) const = default;
    };

    int count() const { return static_cast<int>(entries_.size()); }
    // "" for any slot outside 1..count().
    QString title(int slot) const;
    QString path(int slot) const;
    // The entry number shuffle play takes at step `slot`; 0 outside 1..count().
    int order(int slot) const;
    // The titles of slots 1..count(), one per line of the displayed list.
    QStringList titles() const;

    // Blanks the titles and paths while a new scan is pending; count() and the order stay.
    void blankEntries();

    // Replaces everything. Entries beyond kCapacity are dropped. `order` should be a permutation
    // of 1..n for the n entries kept; numbers outside 1..n and repeats are passed over and any
    // number it lacks follows in ascending order, so the order always names each entry once
    // (a permutation drawn for more entries than are kept thus stays uniformly random).
    void fill(std::vector<Entry> entries, std::vector<int> order);

    // Removes entry `slot`: later entries move down one slot, and the order loses that number
    // while larger numbers move down by one. A slot outside 1..count() does nothing.
    void removeEntry(int slot);

private:
    bool holds(int slot) const { return slot >= 1 && slot <= count(); }

    std::vector<Entry> entries_;  // entries_[i] is slot i + 1
    std::vector<int> order_;      // order_[i] is the entry shuffle play takes at step i + 1
};
