#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <functional>

#include "platform/FileRefusal.h"

class QLocalServer;
class QLocalSocket;

// One running copy of the player per user session. The first copy holds the player's name on
// the session bus and listens on a local socket in a folder only its user may use; a later copy
// finds it on the bus or, without a session bus, on the socket, hands it the file it was started
// with, asks it to come to the front and ends. Finding out touches no file of the player, so the
// later copy can end before it reads or writes anything.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        OnlyCopy,    // this copy runs (see uniquenessUnsure())
        HandedOver,  // a running copy took the request
        Refused,     // a running copy answered, but refused the file (see refusal())
        NoAnswer,    // a running copy, or something in its place, did not answer in time
    };

    // `busName` is claimed on the session bus; the running copy that holds it is handed a file
    // through `openCall` (a method of `playerInterface` taking a file:// address) and asked to
    // come to the front through `raiseCall` (a method of `rootInterface` without arguments).
    // `socketPath` is the local socket; empty: no folder for it could be had.
    struct Names {
        QString busName;
        QString objectPath;
        QString rootInterface;
        QString raiseCall;
        QString playerInterface;
        QString openCall;
        QString socketPath;
    };
    // A request of a later copy: open this file (empty: none), then come to the front, and
    // tell `answer` the outcome, maybe later.
    using RequestHandler =
        std::function<void(const QString& file, std::function<void(FileRefusal)> answer)>;

    // How long a running copy may take to answer.
    static constexpr int kAnswerTimeoutMs = 2000;

    explicit SingleInstance(Names names, QObject* parent = nullptr);
    ~SingleInstance() override;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Claims the name on the bus (when connected) and the socket, or hands `file` (a local
    // path, or empty) to the copy that holds them.
    Outcome claim(const QDBusConnection& bus, const QString& file);
    // After OnlyCopy: the socket could not be set up, because its path (or folder) is taken by
    // something this program must not remove. A later copy without a session bus would then
    // not find this one.
    bool uniquenessUnsure() const { return !blockedPath_.isEmpty(); }
    const QString& blockedPath() const { return blockedPath_; }
    // After Refused: why.
    FileRefusal refusal() const { return refusal_; }

    // Answers the requests of later copies that come through the socket. (On the session bus
    // the later copy calls the player's methods itself.)
    void setRequestHandler(RequestHandler handler) { handler_ = std::move(handler); }
    // Stops listening and removes the socket: the program is about to end.
    void release();

    // The socket in the user's runtime folder or, where there is none, in a folder of the
    // user's own in the temporary folder (made with mode 0700 when missing). Empty when neither
    // is a folder that belongs to the user and is closed to everybody else.
    static QString defaultSocketPath(const QString& name);

private:
    // What the running copy on the bus or on the socket answered; OnlyCopy: nobody is there.
    Outcome askOwnerOnBus(const QDBusConnection& bus, const QString& file);
    Outcome askOwnerOnSocket(const QString& file);
    Outcome claimSocket(const QString& file);
    bool listen();
    void serve(QLocalSocket* later);

    Names names_;
    QLocalServer* server_ = nullptr;
    RequestHandler handler_;
    QString blockedPath_;
    FileRefusal refusal_ = FileRefusal::None;
};
