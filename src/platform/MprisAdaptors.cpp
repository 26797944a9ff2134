#include "platform/MprisAdaptors.h"

#include "platform/MprisService.h"

MprisRootAdaptor::MprisRootAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service), service_(service) {}

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

bool MprisPlayerAdaptor::canGoNext() const {
    return service_.state().canGoNext;
}

bool MprisPlayerAdaptor::canGoPrevious() const {
    return service_.state().canGoPrevious;
}

void MprisPlayerAdaptor::setLoopStatus(const QString& /*wanted*/) {
    service_.announce({{QStringLiteral("LoopStatus"), loopStatus()}});
}

void MprisPlayerAdaptor::setRate(double /*wanted*/) {
    service_.announce({{QStringLiteral("Rate"), rate()}});
}

void MprisPlayerAdaptor::OpenUri(const QString& Uri, const QDBusMessage& message) {
    service_.openUri(Uri, message);
}

void MprisPlayerAdaptor::Seek(qlonglong Offset) {
    service_.seek(Offset);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
    service_.setPosition(TrackId.path(), Position);
}
