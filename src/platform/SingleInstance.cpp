#include "platform/SingleInstance.h"

#include <unistd.h>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

// Only bounds a running copy that does not answer: its window is busy, not gone.
constexpr int kAnswerTimeoutMs = 2000;

}  // namespace

SingleInstance::SingleInstance(Names names, QObject* parent)
    : QObject(parent), names_(std::move(names)) {}

QString SingleInstance::defaultSocketPath(const QString& name) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) {
        return runtime + QLatin1Char('/') + name;
    }
    // The user's id keeps users apart in the shared temporary folder.
    return QDir::tempPath() + QLatin1Char('/') + name + QLatin1Char('-') +
           QString::number(getuid());
}

SingleInstance::Outcome SingleInstance::claim(const QDBusConnection& bus) {
    if (!bus.isConnected()) {
        return claimSocket();
    }
    QDBusConnectionInterface* daemon = bus.interface();
    // A second round only when the copy holding the name ended between the two steps.
    for (int round = 0; round < 2 && daemon != nullptr; ++round) {
        const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
            daemon->registerService(names_.busName, QDBusConnectionInterface::DontQueueService,
                                    QDBusConnectionInterface::DontAllowReplacement);
        if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered) {
            return Outcome::OnlyCopy;
        }
        if (askOwnerToRaise(bus) == BusAnswer::RaiseSent) {
            return Outcome::AnotherCopyRuns;
        }
    }
    // The bus will not give the name: play on without it.
    return Outcome::OnlyCopy;
}

SingleInstance::BusAnswer SingleInstance::askOwnerToRaise(const QDBusConnection& bus) const {
    const QDBusMessage call = QDBusMessage::createMethodCall(names_.busName, names_.objectPath,
                                                             names_.interface, names_.raiseMethod);
    const QDBusMessage answer = bus.call(call, QDBus::Block, kAnswerTimeoutMs);
    if (answer.type() == QDBusMessage::ErrorMessage) {
        // Any other error comes from a running copy that is still starting up: its window
        // comes up by itself.
        if (QDBusError(answer).type() == QDBusError::ServiceUnknown) {
            return BusAnswer::NobodyThere;
        }
    }
    return BusAnswer::RaiseSent;
}

bool SingleInstance::reachRunningCopy() const {
    QLocalSocket probe;
    probe.connectToServer(names_.socketPath);
    if (!probe.waitForConnected(kAnswerTimeoutMs)) {
        return false;
    }
    // The connection itself is the request.
    probe.disconnectFromServer();
    return true;
}

SingleInstance::Outcome SingleInstance::claimSocket() {
    if (reachRunningCopy()) {
        return Outcome::AnotherCopyRuns;
    }
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(names_.socketPath) &&
        server_->serverError() == QAbstractSocket::AddressInUseError) {
        // Another copy started listening just now, or one that ended left its socket behind.
        if (reachRunningCopy()) {
            return Outcome::AnotherCopyRuns;
        }
        QLocalServer::removeServer(names_.socketPath);
        server_->listen(names_.socketPath);
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* later = server_->nextPendingConnection()) {
            later->deleteLater();
        }
        emit raiseRequested();
    });
    return Outcome::OnlyCopy;
}
