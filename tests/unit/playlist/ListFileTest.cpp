#include "playlist/ListFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

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

TEST_F(ListFileTest, WritesEachStorableRecordFollowedByCrLf) {
    const QStringList folders{"/musik/rock", "/Musik/Neu, Alt", QString::fromUtf8("/Lieder/Über")};
    ASSERT_TRUE(writeListFile(path(), folders));
    EXPECT_EQ(readRaw(),
              "/musik/rock\r\n/Musik/Neu, Alt\r\n/Lieder/\xc3\x9c"
              "ber\r\n");
    EXPECT_EQ(readListFile(path()), folders);

    // Records that would split into several lines are left out.
    ASSERT_TRUE(writeListFile(path(), {"/a", "/b\nc", "/d\re", QString("/f") + QChar::Null, "/g"}));
    EXPECT_EQ(readRaw(), QByteArray("/a\r\n/g\r\n"));

    // An empty list replaces the old file with an empty one.
    ASSERT_TRUE(writeListFile(path(), {}));
    EXPECT_EQ(readRaw(), QByteArray());

    // An empty path writes nothing.
    EXPECT_FALSE(writeListFile(QString(), {"/a"}));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"folders.dat"});
}

}  // namespace
