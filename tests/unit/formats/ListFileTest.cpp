#include "formats/ListFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"

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

// A line over 64 KB is passed over; a read stops after 1 MB or 100,000 records, keeping what
// came before, and the user is told what was lost.
TEST_F(ListFileTest, ReadsStopAtTheLimitsKeepWhatCameBeforeAndSaySo) {
    const QString kept = " Was fehlt, wird beim nächsten Speichern der Liste nicht mitgeschrieben.";
    const QString cut =
        "Fehler: Die Verzeichnisliste \"%1\" ist länger als erlaubt (höchstens "
        "100.000 Einträge und 1 MB) und wurde nach Zeile %2 abgeschnitten.";
    const struct {
        QByteArray bytes;
        qsizetype records;
        QByteArray lastRecord;
        QString told;
    } cases[] = {
        {"/a\r\n" + QByteArray(64 * 1024 + 1, 'x') + "\r\n/b", 2, "/b",
         "Fehler: In der Verzeichnisliste \"%1\" wurden eine Zeile übergangen, die länger als "
         "64 KB ist."},
        {numberedLines(100, 2 * 1024 * 1024), 10485, QByteArray(93, '/') + "10484",
         cut.arg("%1", "10.485")},
        {numberedLines(8, 1536 * 1024), 100000, "/99999", cut.arg("%1", "100.000")},
    };
    for (const auto& c : cases) {
        writeRaw(c.bytes);
        const auto read = readListFileContents(path());
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->records.size(), c.records);
        EXPECT_EQ(read->records.back(), QString::fromLatin1(c.lastRecord));
        FakeMessageBoxes messages;
        tellListCut(messages, path(), *read);
        EXPECT_EQ(messages.told(), QStringList{c.told.arg(path()) + kept});
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
