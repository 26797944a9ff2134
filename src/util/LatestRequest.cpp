#include "util/LatestRequest.h"

LatestRequest::LatestRequest(QObject* parent)
    : QObject(parent), mailbox_(std::make_shared<Mailbox>(this)) {}

LatestRequest::~LatestRequest() {
    stop_.request_stop();
    const std::lock_guard lock(mailbox_->mutex);
    mailbox_->receiver = nullptr;
}

void LatestRequest::supersede() {
    stop_.request_stop();
    stop_ = std::stop_source();
    ++latest_;
}

void LatestRequest::drop() {
    supersede();
    setBusy(false);
}

bool LatestRequest::arrived(quint64 request) {
    if (request != latest_) {
        return false;
    }
    setBusy(false);
    return true;
}

void LatestRequest::setBusy(bool busy) {
    if (busy != busy_) {
        busy_ = busy;
        emit busyChanged(busy);
    }
}
