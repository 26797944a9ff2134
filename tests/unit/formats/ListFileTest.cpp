#include "formats/ListFile.h"

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

// Lines of `width` bytes with their CR LF, numbered from 0, until `bytes` are written.
QByteArray numberedLines(int width, qint64 bytes) {
    QByteArray data;
    for (int i = 0; data.size() < bytes; ++i) {
        data += QByteArray::number(i).rightJustified(width - 2, '/') + "\r\n";
    }
    return data;
}

TEST_F(ListFileTest, ReadsStopAtTheLimitsAndKeepWhatCameBefore) {
    const QByteArray longLine(kListFileMaxLineBytes + 1, 'x');
    const qsizetype byteLimitRecords = kListFileMaxBytes / 100;  // whole 100-byte lines
    struct Case {
        const char* what;
        QByteArray bytes;
        qsizetype records;
        QString lastRecord;
        bool cutShort;
        int overlong;
        qsizetype lines;  // read, overlong ones included
    };
    const Case cases[] = {
        {"a line over the cap", "/a\r\n" + longLine + "\r\n/b", 2, "/b", false, 1, 3},
        {"more bytes than the limit", numberedLines(100, 2 * kListFileMaxBytes), byteLimitRecords,
         QByteArray::number(byteLimitRecords - 1).rightJustified(98, '/'), true, 0,
         byteLimitRecords},
        {"more records than the limit", numberedLines(8, 3 * kListFileMaxBytes / 2),
         kListFileMaxRecords, QByteArray::number(kListFileMaxRecords - 1).rightJustified(6, '/'),
         true, 0, kListFileMaxRecords},
        {"no line end before the limit", QByteArray(2 * kListFileMaxBytes, 'x'), 0, {}, true, 0, 0},
        {"no line end in a long line", longLine, 0, {}, false, 1, 1},
    };
    for (const Case& c : cases) {
        writeRaw(c.bytes);
        const auto read = readListFileContents(path());
        ASSERT_TRUE(read.has_value()) << c.what;
        EXPECT_EQ(read->records.size(), c.records) << c.what;
        EXPECT_EQ(read->records.isEmpty() ? QString() : read->records.back(), c.lastRecord)
            << c.what;
        EXPECT_EQ(read->cutShort, c.cutShort) << c.what;
        EXPECT_EQ(read->overlongLines, c.overlong) << c.what;
        EXPECT_EQ(read->linesRead, c.lines) << c.what;
        EXPECT_EQ(read->lostLines(), c.cutShort || c.overlong > 0) << c.what;
    }
}

// The bytes of ordinary records are checked where the windows save them.
TEST_F(ListFileTest, WritesEachStorableRecordFollowedByCrLf) {
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
