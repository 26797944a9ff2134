#include "platform/SingleInstance.h"

#include <sys/stat.h>
#include <unistd.h>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <cerrno>
#include <memory>

#include "platform/FileNames.h"

namespace {

// A request on the socket is the bytes of the file's path, ended by a NUL (alone: no file).
// Anything longer than any path is not a request of ours.
constexpr qsizetype kLongestRequest = 64 * 1024;

// A folder of this user's alone: a real folder (not a link to one), owned by the user and
// closed to everybody else. Only there may a socket be trusted, or one be removed.
bool isPrivateFolder(const QString& path) {
    struct stat status {};
    return lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == getuid() && (status.st_mode & 077U) == 0;
}

// Nothing at the path, or a socket of this user's: the only things a copy of this program may
// have left there. Anything else (a link, even to a socket, or another user's socket) belongs to
// somebody else and is neither asked nor removed.
bool holdsNothingButOwnSocket(const QByteArray& path) {
    struct stat status {};
    if (lstat(path.constData(), &status) != 0) {
        return errno == ENOENT;
    }
    return S_ISSOCK(status.st_mode) && status.st_uid == getuid();
}

QByteArray requestFor(const QString& file) {
    QByteArray request = encodeFileName(file);
    request.append('\0');
    return request;
}

}  // namespace

SingleInstance::SingleInstance(Names names, QObject* parent)
    : QObject(parent), names_(std::move(names)) {}

SingleInstance::~SingleInstance() {
    release();
}

QString SingleInstance::defaultSocketPath(const QString& name) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isPrivateFolder(runtime)) {
        return runtime + QLatin1Char('/') + name;
    }
    // Not the shared temporary folder itself, where another user could listen first.
    const QString own =
        QDir::tempPath() + QLatin1Char('/') + name + QLatin1Char('-') + QString::number(getuid());
    mkdir(QFile::encodeName(own).constData(), 0700);  // one that exists is checked at the claim
    return own + QLatin1Char('/') + name;
}

SingleInstance::Outcome SingleInstance::claim(const QDBusConnection& bus, const QString& file) {
    QDBusConnectionInterface* daemon = bus.isConnected() ? bus.interface() : nullptr;
    // A second round only when the copy holding the name ended between the two steps.
    for (int round = 0; round < 2 && daemon != nullptr; ++round) {
        const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
            daemon->registerService(names_.busName, QDBusConnectionInterface::DontQueueService,
                                    QDBusConnectionInterface::DontAllowReplacement);
        if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered) {
            break;
        }
        const Outcome answer = askOwnerOnBus(bus, file);
        if (answer != Outcome::OnlyCopy) {
            return answer;
        }
    }
    // The holder of the name listens on the socket as well, for copies without a session bus;
    // and a copy that runs without one may be listening there already.
    return claimSocket(file);
}

SingleInstance::Outcome SingleInstance::askOwnerOnBus(const QDBusConnection& bus,
                                                      const QString& file) {
    // Any error but "nobody has the name" means that whoever has it is not a running copy
    // that answers: one that is still starting up has its object on the bus before its name.
    const auto failure = [](const QDBusMessage& answer) {
        return QDBusError(answer).type() == QDBusError::ServiceUnknown ? Outcome::OnlyCopy
                                                                       : Outcome::NoAnswer;
    };
    if (!file.isEmpty()) {
        QDBusMessage open = QDBusMessage::createMethodCall(names_.busName, names_.objectPath,
                                                           names_.playerInterface, names_.openCall);
        open << fileUrlOf(absoluteFilePath(file));
        const QDBusMessage answer = bus.call(open, QDBus::Block, kAnswerTimeoutMs);
        if (answer.type() == QDBusMessage::ErrorMessage) {
            const QString error = answer.errorName();
            if (error == QLatin1String("org.freedesktop.DBus.Error.FileNotFound")) {
                refusal_ = FileRefusal::Missing;
            } else if (error == QLatin1String("org.freedesktop.DBus.Error.InvalidArgs")) {
                refusal_ = FileRefusal::NotMp3;
            } else {
                return failure(answer);
            }
        }
    }
    const QDBusMessage raise = QDBusMessage::createMethodCall(
        names_.busName, names_.objectPath, names_.rootInterface, names_.raiseCall);
    const QDBusMessage answer = bus.call(raise, QDBus::Block, kAnswerTimeoutMs);
    if (answer.type() == QDBusMessage::ErrorMessage) {
        return failure(answer);
    }
    return refusal_ == FileRefusal::None ? Outcome::HandedOver : Outcome::Refused;
}

SingleInstance::Outcome SingleInstance::askOwnerOnSocket(const QString& file) {
    const QDeadlineTimer deadline(kAnswerTimeoutMs);
    QLocalSocket socket;
    socket.connectToServer(names_.socketPath);
    if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
        // No socket, one nobody listens on, or something else at its path.
        return socket.error() == QLocalSocket::SocketTimeoutError ? Outcome::NoAnswer
                                                                  : Outcome::OnlyCopy;
    }
    socket.write(requestFor(file));
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
            return Outcome::NoAnswer;
        }
    }
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            return Outcome::NoAnswer;
        }
    }
    char code = 0;
    socket.getChar(&code);
    const int refusal = code - '0';
    if (refusal < static_cast<int>(FileRefusal::None) ||
        refusal > static_cast<int>(FileRefusal::NotMp3)) {
        return Outcome::NoAnswer;  // not an answer of this program
    }
    refusal_ = static_cast<FileRefusal>(refusal);
    return refusal_ == FileRefusal::None ? Outcome::HandedOver : Outcome::Refused;
}

SingleInstance::Outcome SingleInstance::claimSocket(const QString& file) {
    const QString folder = QFileInfo(names_.socketPath).path();
    const bool ownFolder = isPrivateFolder(folder);
    if (!ownFolder || !holdsNothingButOwnSocket(QFile::encodeName(names_.socketPath))) {
        blockedPath_ = ownFolder ? names_.socketPath : folder;
        return Outcome::OnlyCopy;
    }
    const Outcome answer = askOwnerOnSocket(file);
    if (answer != Outcome::OnlyCopy) {
        return answer;
    }
    if (!listen()) {
        blockedPath_ = names_.socketPath;
    }
    return Outcome::OnlyCopy;
}

bool SingleInstance::listen() {
    const QByteArray path = QFile::encodeName(names_.socketPath);
    // Nobody answered there. A socket of this user's was left by a copy that ended without
    // removing it; anything else (put there meanwhile) is not this program's to remove.
    if (!holdsNothingButOwnSocket(path) || (unlink(path.constData()) != 0 && errno != ENOENT)) {
        return false;
    }
    auto server = std::make_unique<QLocalServer>(this);
    if (!server->listen(names_.socketPath)) {
        return false;
    }
    server_ = server.release();
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* later = server_->nextPendingConnection()) {
            serve(later);
        }
    });
    return true;
}

void SingleInstance::serve(QLocalSocket* later) {
    connect(later, &QLocalSocket::disconnected, later, &QObject::deleteLater);
    auto received = std::make_shared<QByteArray>();
    connect(later, &QLocalSocket::readyRead, later, [this, later, received] {
        received->append(later->readAll());
        const qsizetype end = received->indexOf('\0');
        if (end < 0) {
            if (received->size() > kLongestRequest) {
                later->abort();
            }
            return;
        }
        const QString file = decodeFileName(received->left(end));
        received->clear();
        // The later copy may have given up waiting, and its connection gone, meanwhile.
        auto answer = [later = QPointer(later)](FileRefusal refusal) {
            if (later) {
                later->putChar(static_cast<char>('0' + static_cast<int>(refusal)));
                later->disconnectFromServer();  // once the answer is out
            }
        };
        if (handler_) {
            handler_(file, std::move(answer));
        } else {
            answer(FileRefusal::None);
        }
    });
}

void SingleInstance::release() {
    if (server_ != nullptr) {
        server_->close();  // removes the socket
        delete server_;
        server_ = nullptr;
    }
}
