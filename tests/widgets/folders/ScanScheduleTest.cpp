#include <QDir>
#include <QFile>
#include <QTest>

#include "app/Module1.h"
#include "fakes/ProgramFixture.h"
#include "folders/frmopen.h"
#include "player/Form1.h"
#include "playlist/playlist.h"

namespace {

class ScanScheduleTest : public ProgramFixture {
protected:
    QStringList shownLines() { return program->playlistWindow().lines->stringList(); }
};

TEST_F(ScanScheduleTest, StartUpScansTheSavedFoldersAfterItsEventsHaveRun) {
    makeFiles("A", {"b.mp3", "a.MP3", "note.txt"});
    makeFiles("B", {"c.mp3"});
    writeFolders({"A", "B"});
    start();
    EXPECT_EQ(program->frmopenWindow().folderList().size(), 2);
    EXPECT_TRUE(program->scanPending());
    EXPECT_TRUE(shownLines().isEmpty());  // the scan has not run yet

    ASSERT_TRUE(waitUntil([this] { return !program->scanPending(); }));
    EXPECT_EQ(shownLines(), QStringList({"a", "b", "c"}));
    EXPECT_EQ(program->store.path(1), folder.filePath("A/a.MP3"));
    EXPECT_EQ(program->store.path(3), folder.filePath("B/c.mp3"));
    // The player already knows which file the first step would take.
    EXPECT_EQ(players.at(0)->next, folder.filePath("A/a.MP3"));
}

TEST_F(ScanScheduleTest, NoSavedFoldersMeansNoScanAndNoMessage) {
    start();
    EXPECT_FALSE(program->scanPending());
    EXPECT_TRUE(program->frmopenWindow().folderList().isEmpty());
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_FALSE(QFile::exists(folder.filePath("folders.dat")));
}

TEST_F(ScanScheduleTest, ASecondRequestWhilePendingScansOnceWithTheNewestList) {
    makeFiles("A", {"a.mp3"});
    makeFiles("B", {"b.mp3"});
    writeFolders({"A"});
    start();
    writeFolders({"B"});
    plaction(*program, "openauto");
    ASSERT_TRUE(waitUntil([this] { return !program->scanPending(); }));
    EXPECT_EQ(shownLines(), QStringList({"b"}));
    EXPECT_EQ(program->store.count(), 1);
}

TEST_F(ScanScheduleTest, AbandonedScanPublishesTheStoreAsItStands) {
    makeFiles("A", {"a.mp3"});
    writeFolders({"A"});
    start();
    program->store.fill({{"x", "/x.mp3"}}, {1});
    program->abandonScan();
    EXPECT_FALSE(program->scanPending());
    EXPECT_EQ(shownLines(), QStringList({"x"}));
    QTest::qWait(300);
    EXPECT_EQ(program->store.title(1), "x");
}

TEST_F(ScanScheduleTest, MakeautoWritesTheBrowserListForTheNextStart) {
    start();
    program->frmopenWindow().setFolderList({"/eins", " ", "/zwei, drei"});
    plaction(*program, "makeauto");
    EXPECT_EQ(readFile("folders.dat"), QByteArray("/eins\r\n \r\n/zwei, drei\r\n"));
    plaction(*program, "openauto");
    EXPECT_EQ(program->frmopenWindow().folderList(), QStringList({"/eins", "", "/zwei, drei"}));
}

}  // namespace
