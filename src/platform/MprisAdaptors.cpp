#include "platform/MprisAdaptors.h"

#include "platform/MprisService.h"

MprisRootAdaptor::MprisRootAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service), service_(service) {}

void MprisRootAdaptor::Raise() {
    if (MprisPlayer* player = service_.player()) {
        player->raise();
    }
}

void MprisRootAdaptor::Quit() {
    if (MprisPlayer* player = service_.player()) {
        player->quit();
    }
}

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service), service_(service) {}

QString MprisPlayerAdaptor::playbackStatus() const {
    return MprisService::statusText(service_.state().status);
}

bool MprisPlayerAdaptor::shuffle() const {
    return service_.state().shuffle;
}

void MprisPlayerAdaptor::setShuffle(bool on) {
    if (MprisPlayer* player = service_.player()) {
        player->setShuffle(on);
    }
}

QVariantMap MprisPlayerAdaptor::metadata() const {
    return MprisService::metadata(service_.state().track);
}

double MprisPlayerAdaptor::volume() const {
    return service_.state().volume;
}

void MprisPlayerAdaptor::setVolume(double share) {
    service_.setVolume(share);
}

qlonglong MprisPlayerAdaptor::position() const {
    return service_.positionUs();
}

bool MprisPlayerAdaptor::canPlay() const {
    return service_.state().canPlay;
}

bool MprisPlayerAdaptor::canSeek() const {
    return service_.state().canSeek;
}

void MprisPlayerAdaptor::Next() {
    if (MprisPlayer* player = service_.player()) {
        player->next();
    }
}

void MprisPlayerAdaptor::Previous() {
    if (MprisPlayer* player = service_.player()) {
        player->previous();
    }
}

void MprisPlayerAdaptor::Pause() {
    if (MprisPlayer* player = service_.player()) {
        player->pause();
    }
}

void MprisPlayerAdaptor::PlayPause() {
    if (MprisPlayer* player = service_.player()) {
        player->playPause();
    }
}

void MprisPlayerAdaptor::Stop() {
    if (MprisPlayer* player = service_.player()) {
        player->stop();
    }
}

void MprisPlayerAdaptor::Play() {
    if (MprisPlayer* player = service_.player()) {
        player->play();
    }
}

void MprisPlayerAdaptor::Seek(qlonglong Offset) {
    service_.seek(Offset);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
    service_.setPosition(TrackId.path(), Position);
}
