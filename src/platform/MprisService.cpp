#include "platform/MprisService.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <algorithm>
#include <cmath>

#include "platform/FileNames.h"
#include "platform/MprisAdaptors.h"

namespace {

// The protocol's own id for "no track".
constexpr const char* kNoTrack = "/org/mpris/MediaPlayer2/TrackList/NoTrack";
// Only bounds a bus that has stopped answering.
constexpr int kFlushTimeoutMs = 1000;

}  // namespace

MprisService::MprisService(QDBusConnection connection, QObject* parent)
    : QObject(parent), connection_(std::move(connection)) {
    // Owned by this object, as QtDBus requires.
    new MprisRootAdaptor(*this);
    playerAdaptor_ = new MprisPlayerAdaptor(*this);
    new MprisPropertiesAdaptor(*this);
    exported_ = connection_.isConnected() &&
                connection_.registerObject(QString::fromLatin1(kObjectPath), this,
                                           QDBusConnection::ExportAdaptors);
}

MprisService::~MprisService() {
    if (exported_) {
        connection_.unregisterObject(QString::fromLatin1(kObjectPath));
    }
}

void MprisService::attach(MprisPlayer* player) {
    if (player_) {
        disconnect(player_, nullptr, this, nullptr);
        disconnect(player_, nullptr, playerAdaptor_, nullptr);
    }
    player_ = player;
    if (player_) {
        connect(player_, &MprisPlayer::stateMayHaveChanged, this, &MprisService::publishChanges);
        // Emitting an adaptor's signal sends it on the bus.
        connect(player_, &MprisPlayer::jumped, playerAdaptor_, &MprisPlayerAdaptor::Seeked);
    }
    publishChanges();
}

void MprisService::drive(void (MprisPlayer::*request)()) {
    if (player_) {
        (player_->*request)();
    }
}

MprisPlayer::State MprisService::state() const {
    return player_ ? player_->state() : MprisPlayer::State{};
}

qint64 MprisService::positionUs() const {
    return player_ ? player_->positionUs() : 0;
}

QString MprisService::statusText(MprisPlayer::Status status) {
    return status == MprisPlayer::Status::Playing  ? QStringLiteral("Playing")
           : status == MprisPlayer::Status::Paused ? QStringLiteral("Paused")
                                                   : QStringLiteral("Stopped");
}

QVariantMap MprisService::metadata(const MprisPlayer::Track& track) {
    if (track.id.isEmpty()) {
        return {{QStringLiteral("mpris:trackid"),
                 QVariant::fromValue(QDBusObjectPath(QString::fromLatin1(kNoTrack)))}};
    }
    QVariantMap map{
        {QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(track.id))},
        {QStringLiteral("xesam:title"), track.title},
        {QStringLiteral("xesam:url"), track.url}};
    const auto known = [&map](const char* key, bool isKnown, const QVariant& value) {
        if (isKnown) {
            map.insert(QLatin1String(key), value);
        }
    };
    known("mpris:length", track.lengthUs > 0, QVariant::fromValue<qlonglong>(track.lengthUs));
    known("xesam:artist", !track.artists.isEmpty(), track.artists);
    known("xesam:album", !track.album.isEmpty(), track.album);
    known("xesam:albumArtist", !track.albumArtists.isEmpty(), track.albumArtists);
    known("xesam:trackNumber", track.trackNumber > 0, track.trackNumber);
    return map;
}

void MprisService::seek(qint64 offsetUs) {
    const MprisPlayer::State now = state();
    if (!player_ || !now.canSeek) {
        return;
    }
    const qint64 position = std::clamp<qint64>(player_->positionUs(), 0, now.track.lengthUs);
    // Beyond the end of the track is the next track; before its start is its start.
    if (offsetUs > now.track.lengthUs - position) {
        player_->next();
        return;
    }
    player_->setPositionUs(std::max<qint64>(0, position + offsetUs));
}

void MprisService::setPosition(const QString& trackId, qint64 positionUs) {
    const MprisPlayer::State now = state();
    // A request for a track that has gone meanwhile is stale.
    if (!player_ || !now.canSeek || trackId != now.track.id || positionUs < 0 ||
        positionUs > now.track.lengthUs) {
        return;
    }
    player_->setPositionUs(positionUs);
}

void MprisService::setVolume(double share) {
    if (player_ && std::isfinite(share)) {
        player_->setVolume(std::clamp(share, 0.0, 1.0));
    }
}

void MprisService::publishChanges() {
    const MprisPlayer::State now = state();
    if (now == published_) {
        return;
    }
    QVariantMap changed;
    const auto note = [&changed](const char* property, bool differs, const auto& value) {
        if (differs) {
            changed.insert(QLatin1String(property), QVariant::fromValue(value));
        }
    };
    const MprisPlayer::State& was = published_;
    note("PlaybackStatus", now.status != was.status, statusText(now.status));
    note("Shuffle", now.shuffle != was.shuffle, now.shuffle);
    note("Volume", now.volume != was.volume, now.volume);
    note("Metadata", now.track != was.track, metadata(now.track));
    note("CanPlay", now.canPlay != was.canPlay, now.canPlay);
    note("CanPause", now.canPause != was.canPause, now.canPause);
    note("CanSeek", now.canSeek != was.canSeek, now.canSeek);
    note("CanGoNext", now.canGoNext != was.canGoNext, now.canGoNext);
    note("CanGoPrevious", now.canGoPrevious != was.canGoPrevious, now.canGoPrevious);
    published_ = now;
    announce(changed);
}

void MprisService::announce(const QVariantMap& changed) {
    if (!exported_) {
        return;
    }
    QDBusMessage signal = QDBusMessage::createSignal(
        QString::fromLatin1(kObjectPath), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(kPlayerInterface) << changed << QStringList();
    connection_.send(signal);
}

void MprisService::openUri(const QString& uri, const QDBusMessage& call) {
    call.setDelayedReply(true);
    auto answer = [connection = connection_, call, uri](FileRefusal refusal) {
        switch (refusal) {
            case FileRefusal::None:
                connection.send(call.createReply());
                break;
            case FileRefusal::Missing:
                connection.send(call.createErrorReply(
                    QStringLiteral("org.freedesktop.DBus.Error.FileNotFound"), uri));
                break;
            default:
                connection.send(call.createErrorReply(
                    QDBusError::InvalidArgs, QStringLiteral("Not a local MP3 file: %1").arg(uri)));
        }
    };
    const std::optional<QString> path = pathOfFileUrl(uri);
    if (!path) {
        answer(FileRefusal::NotLocal);
    } else if (!player_) {
        answer(FileRefusal::Missing);
    } else {
        player_->openFile(*path, std::move(answer));
    }
}

void MprisService::flush() const {
    if (!connection_.isConnected()) {
        return;
    }
    // The bus handles a connection's messages in order: once it has answered this, it holds
    // everything sent before, such as the reply to a Quit that ends the program.
    const QDBusMessage ping = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    connection_.call(ping, QDBus::Block, kFlushTimeoutMs);
}
