#include "platform/SingleInstance.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <cstring>

#include <gtest/gtest.h>

#include "fakes/ScopedEnv.h"
#include "util/FileDescriptor.h"

namespace {

// The socket side of one copy, without a session bus and with nobody answering at the path:
// what it finds at the socket's path decides whether it may listen there.
class SingleInstanceTest : public ::testing::Test {
protected:
    SingleInstance::Outcome claim(SingleInstance& instance) {
        return instance.claim(QDBusConnection(QString()), {});
    }
    SingleInstance::Names names() const { return {{}, {}, {}, {}, {}, {}, socket}; }

    int argc = 1;
    char name[5] = "test";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
    QTemporaryDir folder;  // mode 0700, as the user's runtime folder
    QString socket = folder.filePath("brambleplayer");
};

// A socket at `path`, listening (and never answering) while the descriptor is open.
int socketAt(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(path).constData(),
                 sizeof(address.sun_path) - 1);
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    EXPECT_EQ(::listen(fd, 4), 0);
    return fd;
}

// What a killed copy leaves behind, a socket file nobody listens on, is replaced, and the new
// one goes at the end. Anything else at the path is left alone unasked, even where something
// listens behind it; the copy runs, unsure of being the only one (and says so).
TEST_F(SingleInstanceTest, OnlyAStaleSocketIsReplaced) {
    ::close(socketAt(socket));  // a socket file nobody listens on, as a killed copy leaves
    SingleInstance first(names());
    EXPECT_EQ(claim(first), SingleInstance::Outcome::OnlyCopy);
    EXPECT_FALSE(first.uniquenessUnsure());
    QLocalSocket later;
    later.connectToServer(socket);
    EXPECT_TRUE(later.waitForConnected(2000));
    first.release();
    EXPECT_FALSE(QFileInfo::exists(socket));

    const auto leftAlone = [this] {
        const QFileInfo before(socket);
        SingleInstance second(names());
        EXPECT_EQ(claim(second), SingleInstance::Outcome::OnlyCopy);
        EXPECT_EQ(second.blockedPath(), socket);
        second.release();
        const QFileInfo after(socket);
        return after.isSymLink() == before.isSymLink() && after.isDir() == before.isDir() &&
               after.exists() == before.exists() && after.ownerId() == before.ownerId();
    };
    // A folder (a plain file is checked with the whole program).
    ASSERT_TRUE(QDir().mkdir(socket));
    EXPECT_TRUE(leftAlone());
    ASSERT_TRUE(QDir().rmdir(socket));
    // A link to another program's socket, which never answers.
    const FileDescriptor elsewhere(socketAt(folder.filePath("other-program")));
    ASSERT_TRUE(QFile::link(folder.filePath("other-program"), socket));
    EXPECT_TRUE(leftAlone());
    ASSERT_TRUE(QFile::remove(socket));
    // Such a socket of another user's (which only root can make).
    if (getuid() == 0) {
        const FileDescriptor foreign(socketAt(socket));
        ASSERT_EQ(::chown(QFile::encodeName(socket).constData(), 65534, 65534), 0);
        EXPECT_TRUE(leftAlone());
    }
}

// Without a runtime folder the socket goes into a folder of the user's own, never straight
// into the shared temporary folder; one that others may enter is not used at all.
TEST_F(SingleInstanceTest, TheSocketLivesInAFolderOfTheUsersAlone) {
    const ScopedEnv runtime("XDG_RUNTIME_DIR", nullptr);
    const ScopedEnv temporary("TMPDIR", QFile::encodeName(folder.path()).constData());
    socket = SingleInstance::defaultSocketPath(QStringLiteral("brambleplayer"));
    const QString own = QFileInfo(socket).path();
    EXPECT_EQ(QFileInfo(own).path(), folder.path());
    struct stat status {};
    ASSERT_EQ(lstat(QFile::encodeName(own).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777U, 0700U);

    ASSERT_EQ(chmod(QFile::encodeName(own).constData(), 0755), 0);
    SingleInstance instance(names());
    EXPECT_EQ(claim(instance), SingleInstance::Outcome::OnlyCopy);
    EXPECT_EQ(instance.blockedPath(), own);
    EXPECT_FALSE(QFileInfo::exists(socket));
}

}  // namespace
