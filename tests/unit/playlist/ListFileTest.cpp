#include "playlist/ListFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <csignal>

namespace {

class ListFileTest : public ::testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("folders.dat")) const {
        return dir_.filePath(name);
    }

    void writeRaw(const QByteArray& bytes) {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray readRaw() const {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

    QTemporaryDir dir_;
};

TEST_F(ListFileTest, EachLineIsOneRecordWithoutItsLineEndAndOuterBlanks) {
    writeRaw(
        "/musik/rock\r\n"
        "   x  \r\n"
        "/neu\n"
        "\r\n"
        "  /Musik/Neu, Alt  \r\n"
        "\n"
        "/letzte");
    EXPECT_EQ(readListFile(path()),
              QStringList({"/musik/rock", "x", "/neu", "", "/Musik/Neu, Alt", "", "/letzte"}));
}

TEST_F(ListFileTest, EmptyFileIsAnEmptyListButAFileThatCannotBeReadIsNone) {
    writeRaw("");
    EXPECT_EQ(readListFile(path()), QStringList());

    EXPECT_EQ(readListFile(path(QStringLiteral("missing.dat"))), std::nullopt);
    EXPECT_EQ(readListFile(dir_.path()), std::nullopt);
    EXPECT_EQ(readListFile(QString()), std::nullopt);
    // A FIFO would block a plain open for ever.
    const QByteArray fifo = QFile::encodeName(path(QStringLiteral("fifo.mpc")));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    EXPECT_EQ(readListFile(path(QStringLiteral("fifo.mpc"))), std::nullopt);
}

TEST_F(ListFileTest, WritesEachRecordFollowedByCrLf) {
    ASSERT_TRUE(writeListFile(path(), {"a", "b"}));
    EXPECT_EQ(readRaw(), QByteArray("a\r\nb\r\n"));

    const QStringList folders{"/musik/rock", "/Musik/Neu, Alt", QString::fromUtf8("/Lieder/Über")};
    ASSERT_TRUE(writeListFile(path(), folders));
    EXPECT_EQ(readRaw(),
              "/musik/rock\r\n/Musik/Neu, Alt\r\n/Lieder/\xc3\x9c"
              "ber\r\n");
    EXPECT_EQ(readListFile(path()), folders);
}

TEST_F(ListFileTest, EmptyListReplacesTheOldFileWithAnEmptyOne) {
    writeRaw(QByteArray(300, 'x'));
    ASSERT_TRUE(writeListFile(path(), {}));
    EXPECT_EQ(readRaw(), QByteArray());
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"folders.dat"});
}

TEST_F(ListFileTest, RecordsThatWouldSplitIntoSeveralLinesAreLeftOut) {
    ASSERT_TRUE(writeListFile(path(), {"/a", "/b\nc", "/d\re", QString("/f") + QChar::Null, "/g"}));
    EXPECT_EQ(readRaw(), QByteArray("/a\r\n/g\r\n"));
}

TEST_F(ListFileTest, EmptyPathOrImpossibleTargetWritesNothing) {
    EXPECT_FALSE(writeListFile(QString(), {"/a"}));
    EXPECT_FALSE(writeListFile(path(QStringLiteral("missing/list.mpc")), {"/a"}));
    EXPECT_FALSE(QDir(path(QStringLiteral("missing"))).exists());
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folders.dat")));
    EXPECT_FALSE(writeListFile(path(), {"/a"}));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{});
}

// Makes every file write beyond `bytes` fail with EFBIG, as a full disk would, for this process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        active_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, savedHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return active_; }

private:
    rlimit saved_{};
    void (*savedHandler_)(int) = nullptr;
    bool active_ = false;
};

TEST_F(ListFileTest, FailedWriteKeepsTheOldFileByteForByte) {
    ASSERT_TRUE(writeListFile(path(), {"/alt/eins", "/alt/zwei"}));
    const QByteArray oldBytes = readRaw();

    const QStringList longer(50, QStringLiteral("/neu/ein/recht/langer/ordner"));
    bool written = true;
    {
        const FileSizeLimit limit(64);
        ASSERT_TRUE(limit.active());
        written = writeListFile(path(), longer);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(readRaw(), oldBytes);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"folders.dat"});
}

}  // namespace
