#include "util/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    // Writes in a child process whose files may not grow beyond 16 bytes, as on a full disk
    // (root passes every permission check, but not this one). With `killed`, the kernel kills
    // it there, as a crash would: the rename never comes. Returns whether the write succeeded.
    static bool writeOnAFullDisk(const QString& target, bool killed = false) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::prctl(PR_SET_DUMPABLE, 0);  // no core file
            std::signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
            const rlimit limit{16, 16};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::_exit(writeFileAtomically(target, QByteArray(4096, 'n')) ? 0 : 1);
        }
        int status = 0;
        EXPECT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_EQ(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ, killed) << status;
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    QString path(const QString& name = QStringLiteral("settings.cfg")) const {
        return dir_.filePath(name);
    }
    QByteArray read(const QString& name = QStringLiteral("settings.cfg")) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList files() const { return QDir(dir_.path()).entryList(QDir::Files); }

    QTemporaryDir dir_;
};

// The old file stays byte for byte until a write succeeds, and is then replaced whole. A killed
// write leaves nothing behind; what one left where the file system has no unnamed files goes
// with the next write into that folder.
TEST_F(AtomicFileTest, AFailedOrKilledWriteLeavesTheOldFileAndNothingElse) {
    const QByteArray old(500, 'x');
    ASSERT_TRUE(writeFileAtomically(path(), old));
    EXPECT_FALSE(writeOnAFullDisk(path()));
    EXPECT_EQ(files(), QStringList{"settings.cfg"});
    writeOnAFullDisk(path(), true);
    writeOnAFullDisk(path("neu.mpc"), true);
    EXPECT_EQ(read(), old);
    EXPECT_EQ(files(), QStringList{"settings.cfg"});

    ASSERT_TRUE(QFile(path("rock.mpc.bramble-tmp")).open(QIODevice::WriteOnly));
    ASSERT_TRUE(writeFileAtomically(path(), "neu\r\n"));
    EXPECT_EQ(read(), QByteArray("neu\r\n"));
    EXPECT_EQ(files(), QStringList{"settings.cfg"});
}

TEST_F(AtomicFileTest, ALinkedFileIsReplacedBehindTheLinkWithItsPermissions) {
    ASSERT_TRUE(writeFileAtomically(path("real.mpc"), "alt\r\n"));
    ASSERT_TRUE(QFile::setPermissions(path("real.mpc"), QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(QFile::link(path("real.mpc"), path("link.mpc")));
    ASSERT_TRUE(writeFileAtomically(path("link.mpc"), "neu\r\n"));
    EXPECT_TRUE(QFileInfo(path("link.mpc")).isSymLink());
    EXPECT_EQ(read("real.mpc"), QByteArray("neu\r\n"));
    EXPECT_EQ(QFile::permissions(path("real.mpc")),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
}

TEST_F(AtomicFileTest, ImpossibleTargetsFailWithoutTouchingAnything) {
    ASSERT_TRUE(QDir(dir_.path()).mkpath("folders.dat/inside"));
    EXPECT_FALSE(writeFileAtomically(path("folders.dat"), "x"));
    EXPECT_TRUE(QDir(path("folders.dat/inside")).exists());

    // A FIFO, and a device (here a private /dev/zero), itself or behind a link.
    const auto type = [this](const char* name) {
        struct stat status {};
        return ::stat(QFile::encodeName(path(name)).constData(), &status) == 0
                   ? status.st_mode & S_IFMT
                   : 0U;
    };
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(path("fifo"), path("settings.cfg")));
    EXPECT_FALSE(writeFileAtomically(path("settings.cfg"), "x"));
    EXPECT_FALSE(writeFileAtomically(path("fifo"), "x"));
    EXPECT_EQ(type("settings.cfg"), S_IFIFO);  // read through the link: neither was replaced
    EXPECT_EQ(files(), QStringList({"settings.cfg"}));
    if (::mknod(QFile::encodeName(path("zero")).constData(), S_IFCHR | 0600, makedev(1, 5)) != 0) {
        GTEST_SKIP() << "no device node can be made here (root only)";
    }
    ASSERT_TRUE(QFile::link(path("zero"), path("rock.mpc")));
    EXPECT_FALSE(writeFileAtomically(path("rock.mpc"), "x"));
    EXPECT_EQ(type("rock.mpc"), S_IFCHR);
    EXPECT_EQ(files(), QStringList({"rock.mpc", "settings.cfg"}));
}

}  // namespace
