#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

class QLocalServer;

// One running copy of the player per user session. The first copy holds the player's name on
// the session bus or, where there is no session bus, listens on a local socket; a later copy
// finds it there, asks it to come to the front and ends. Finding out touches no file, so the
// later copy can end before it reads or writes anything.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Outcome { OnlyCopy, AnotherCopyRuns };

    // `busName` is claimed on the session bus; the running copy that holds it is asked to come
    // to the front through `raiseCall` (service, path, interface and method of a call without
    // arguments). `socketPath` is the local socket used where there is no session bus.
    struct Names {
        QString busName;
        QString objectPath;
        QString interface;
        QString raiseMethod;
        QString socketPath;
    };

    explicit SingleInstance(Names names, QObject* parent = nullptr);

    // Claims the name on the bus (or, when it is not connected, the socket), or asks the copy
    // that holds it to come to the front.
    Outcome claim(const QDBusConnection& bus);
    // The socket in the user's runtime folder, or in the temporary folder where there is none.
    static QString defaultSocketPath(const QString& name);

signals:
    // A later copy asked through the local socket that this one comes to the front. (On the
    // session bus the later copy calls the raise method itself.)
    void raiseRequested();

private:
    enum class BusAnswer { RaiseSent, NobodyThere };
    BusAnswer askOwnerToRaise(const QDBusConnection& bus) const;
    Outcome claimSocket();
    bool reachRunningCopy() const;

    Names names_;
    QLocalServer* server_ = nullptr;
};
