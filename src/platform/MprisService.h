#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QPointer>
#include <QVariantMap>

#include "platform/MprisPlayer.h"

class MprisPlayerAdaptor;

// The player's MPRIS object on the session bus, through which the desktop's media keys and
// sound menu read its state and drive it. Nothing runs while nothing changes: changes are
// announced as they happen, and the position is read only when a client asks for it.
class MprisService : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kBusName = "org.mpris.MediaPlayer2.brambleplayer";
    static constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";
    static constexpr const char* kRootInterface = "org.mpris.MediaPlayer2";
    static constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";

    // Exports the object on the connection; on a connection that is not connected nothing
    // happens. Calls that arrive before a player is attached find nothing to drive.
    explicit MprisService(QDBusConnection connection, QObject* parent = nullptr);
    ~MprisService() override;
    MprisService(const MprisService&) = delete;
    MprisService& operator=(const MprisService&) = delete;

    const QDBusConnection& connection() const { return connection_; }
    // The player to show and drive.
    void attach(MprisPlayer* player);
    MprisPlayer* player() const { return player_; }

    // Runs a request on the attached player; with none attached nothing happens.
    void drive(void (MprisPlayer::*request)());
    // What the adaptors answer, with the rules of the protocol on top of the player.
    MprisPlayer::State state() const;
    qint64 positionUs() const;
    static QString statusText(MprisPlayer::Status status);
    static QVariantMap metadata(const MprisPlayer::Track& track);
    void seek(qint64 offsetUs);
    void setPosition(const QString& trackId, qint64 positionUs);
    void setVolume(double share);
    // Plays the file of a file:// address; anything else is answered with an error. The answer
    // may go out later, once the file has been looked at.
    void openUri(const QString& uri, const QDBusMessage& call);
    // Tells the clients the value of a property again, after a write that changed nothing.
    void announce(const QVariantMap& changed);
    // Returns once the bus has everything sent so far, so that the process may end.
    void flush() const;

private:
    void publishChanges();

    QDBusConnection connection_;
    QPointer<MprisPlayer> player_;
    MprisPlayerAdaptor* playerAdaptor_;
    MprisPlayer::State published_;
    bool exported_ = false;
};
