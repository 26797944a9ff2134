#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QList>
#include <QMetaProperty>
#include <QStringList>
#include <QVariantMap>

#include "platform/MprisService.h"

// The two interfaces of the MPRIS object. They only translate: the service holds the rules.

class MprisRootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ yes)
    Q_PROPERTY(bool CanRaise READ yes)
    Q_PROPERTY(bool HasTrackList READ no)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ supportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ supportedMimeTypes)
public:
    explicit MprisRootAdaptor(MprisService& service)
        : QDBusAbstractAdaptor(&service), service_(service) {}

    static bool yes() { return true; }
    static bool no() { return false; }
    static QString identity() { return QStringLiteral("MP3-Brambleplayer"); }
    static QString desktopEntry() { return QStringLiteral("brambleplayer"); }
    static QStringList supportedUriSchemes() { return {QStringLiteral("file")}; }
    static QStringList supportedMimeTypes() { return {QStringLiteral("audio/mpeg")}; }

public slots:  // NOLINT(readability-redundant-access-specifiers): moc needs them apart
    void Raise() { service_.drive(&MprisPlayer::raise); }
    void Quit() { service_.drive(&MprisPlayer::quit); }

private:
    MprisService& service_;
};

class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(QString LoopStatus READ loopStatus WRITE setLoopStatus)
    Q_PROPERTY(double Rate READ rate WRITE setRate)
    Q_PROPERTY(double MinimumRate READ rate)
    Q_PROPERTY(double MaximumRate READ rate)
    Q_PROPERTY(bool Shuffle READ shuffle WRITE setShuffle)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ canPlay)
    Q_PROPERTY(bool CanPause READ canPause)
    Q_PROPERTY(bool CanSeek READ canSeek)
    Q_PROPERTY(bool CanControl READ canControl)
public:
    explicit MprisPlayerAdaptor(MprisService& service)
        : QDBusAbstractAdaptor(&service), service_(service) {}

    QString playbackStatus() const { return MprisService::statusText(service_.state().status); }
    // The playlist always wraps around at both ends, at normal speed. A client may write the
    // values these have, and a rate of 0, which pauses; refusal() turns away anything else.
    static QString loopStatus() { return QStringLiteral("Playlist"); }
    void setLoopStatus(const QString& /*wanted*/);
    static double rate() { return 1.0; }
    void setRate(double wanted);
    // Why a value written to a property is not taken; empty when it is.
    static QString refusal(const QString& property, const QVariant& value);
    bool shuffle() const { return service_.state().shuffle; }
    void setShuffle(bool on);
    QVariantMap metadata() const { return MprisService::metadata(service_.state().track); }
    double volume() const { return service_.state().volume; }
    void setVolume(double share) { service_.setVolume(share); }
    qlonglong position() const { return service_.positionUs(); }
    static bool canControl() { return true; }
    bool canPlay() const { return service_.state().canPlay; }
    bool canPause() const { return service_.state().canPause; }
    bool canSeek() const { return service_.state().canSeek; }
    bool canGoNext() const { return service_.state().canGoNext; }
    bool canGoPrevious() const { return service_.state().canGoPrevious; }

public slots:  // NOLINT(readability-redundant-access-specifiers): moc needs them apart
    void Next() { service_.drive(&MprisPlayer::next); }
    void Previous() { service_.drive(&MprisPlayer::previous); }
    void Pause() { service_.drive(&MprisPlayer::pause); }
    void PlayPause() { service_.drive(&MprisPlayer::playPause); }
    void Stop() { service_.drive(&MprisPlayer::stop); }
    void Play() { service_.drive(&MprisPlayer::play); }
    void Seek(qlonglong Offset) { service_.seek(Offset); }
    void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
        service_.setPosition(TrackId.path(), Position);
    }
    void OpenUri(const QString& Uri, const QDBusMessage& message) {
        service_.openUri(Uri, message);
    }

signals:
    void Seeked(qlonglong Position);

private:
    MprisService& service_;
};

// The object's org.freedesktop.DBus.Properties, in place of QtDBus's own, which answers a write
// with success whatever the setter makes of it: here a value the player cannot take is refused
// with an error. QtDBus still describes the interface; this one only answers it.
class MprisPropertiesAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.DBus.Properties")
    Q_CLASSINFO("D-Bus Introspection", "")
public:
    explicit MprisPropertiesAdaptor(MprisService& service)
        : QDBusAbstractAdaptor(&service), service_(service) {}

public slots:  // NOLINT(readability-redundant-access-specifiers): moc needs them apart
    QDBusVariant Get(const QString& interface, const QString& name, const QDBusMessage& call);
    QVariantMap GetAll(const QString& interface, const QDBusMessage& call);
    void Set(const QString& interface, const QString& name, const QDBusVariant& value,
             const QDBusMessage& call);

private:
    // The adaptor of an interface (of each, for none named), or none after answering the call
    // with an error.
    QList<QDBusAbstractAdaptor*> adaptorsOf(const QString& interface,
                                            const QDBusMessage& call) const;
    // The property of the call's interface, or an invalid one after answering with an error.
    QMetaProperty propertyOf(const QString& interface, const QString& name,
                             const QDBusMessage& call, QDBusAbstractAdaptor*& adaptor) const;
    void refuse(const QDBusMessage& call, QDBusError::ErrorType type, const QString& why) const;

    MprisService& service_;
};
