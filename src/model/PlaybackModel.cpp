#include "model/PlaybackModel.h"

#include <algorithm>

void PlaybackModel::fillPlaylist(std::vector<PlaylistStore::Entry> entries,
                                 std::vector<int> order) {
    playlist_.fill(std::move(entries), std::move(order));
    emit followingChanged();
}

void PlaybackModel::removeEntry(int slot) {
    playlist_.removeEntry(slot);
    emit followingChanged();
}

PlaybackModel::Step PlaybackModel::stepTo(Direction direction) const {
    const int count = playlist_.count();
    int position = (direction == Direction::Forward ? step_ : step_ - 2) + 1;
    if (position < 1) {
        position += count;
    }
    if (position > count) {
        position = 1;
    }
    // Never below 0: in an empty playlist repeated steps back would otherwise walk ever further
    // below the first entry, and the next playlist would play nothing until as many steps forward
    // had climbed back.
    position = std::max(position, 0);
    return {position, shuffle() ? playlist_.order(position) : position};
}

void PlaybackModel::setOrder(Order order, bool inForce) {
    order_ = order;
    orderInForce_ = inForce;
    emit orderChanged();
    emit followingChanged();
}

void PlaybackModel::setLoadedFile(const QString& file) {
    loadedFile_ = file;
    emit loadedFileChanged();
}

void PlaybackModel::setTitle(const QString& title) {
    title_ = title;
    emit titleChanged(title_);
}

void PlaybackModel::setPlayState(int state) {
    if (state != playState_) {
        playState_ = state;
        emit playStateChanged();
    }
}

void PlaybackModel::runClock() {
    if (!clockRunning_) {
        clockRunning_ = true;
        emit clockStarted();
    }
}

void PlaybackModel::startTrack(Step at, const QString& title, Start how) {
    step_ = at.position;
    emit followingChanged();
    emit trackStarted(at.entry, title, how);
}
