#include "fakes/ProgramFixture.h"

namespace {

using ScanScheduleTest = ProgramFixture;

TEST_F(ScanScheduleTest, StartUpScansTheSavedFoldersAfterItsEventsHaveRun) {
    makeFiles("A", {"b.mp3", "a.MP3", "note.txt"});
    makeFiles("B", {"c.mp3"});
    writeFolders({"A", "B"});
    start();
    EXPECT_EQ(browser().folderList().size(), 2);
    EXPECT_TRUE(program->scanPending());
    EXPECT_TRUE(shownLines().isEmpty());  // the scan has not run yet

    ASSERT_TRUE(waitUntil([this] { return !program->scanPending(); }));
    EXPECT_EQ(shownLines(), QStringList({"a", "b", "c"}));
    EXPECT_EQ(model().playlist().path(1), folder.filePath("A/a.MP3"));
    EXPECT_EQ(model().playlist().path(3), folder.filePath("B/c.mp3"));
    EXPECT_EQ(players.at(0)->next, folder.filePath("A/a.MP3"));
}

// Abandoned while pending or listing: the store as it stood is published.
class AbandonedScanTest : public ScanScheduleTest, public ::testing::WithParamInterface<bool> {};

TEST_P(AbandonedScanTest, PublishesTheStoreAsItStands) {
    makeFiles("A", {"a.mp3"});
    writeFolders({"A"});
    const bool listing = GetParam();
    if (listing) {
        listings->hold(folder.filePath("A"));
    }
    start();
    if (listing) {
        ASSERT_TRUE(waitUntil([this] { return listings->waiting(folder.filePath("A")) == 1; }));
    }
    model().fillPlaylist({{"x", "/x.mp3"}}, {1});
    program->abandonScan();
    EXPECT_FALSE(program->scanPending());
    EXPECT_EQ(shownLines(), QStringList({"x"}));
    listings->releaseAll();
    QTest::qWait(300);
    EXPECT_EQ(model().playlist().title(1), "x");
    EXPECT_EQ(shownLines(), QStringList({"x"}));
}

INSTANTIATE_TEST_SUITE_P(PendingOrListing, AbandonedScanTest, ::testing::Bool());

// A newer request supersedes one still pending and one under way: only the newest list counts.
TEST_F(ScanScheduleTest, ANewerRequestSupersedesOnePendingOrUnderWay) {
    makeFiles("A", {"a.mp3"});
    makeFiles("B", {"b.mp3"});
    makeFiles("C", {"c.mp3"});
    writeFolders({"A"});
    listings->hold(folder.filePath("C"));
    start();
    writeFolders({"C"});  // while the start's scan is pending
    reloadFoldersDat(*program);
    ASSERT_TRUE(waitUntil([this] { return listings->waiting(folder.filePath("C")) == 1; }));
    EXPECT_TRUE(program->scanPending());
    writeFolders({"B"});
    reloadFoldersDat(*program);
    ASSERT_TRUE(waitUntil([this] { return !program->scanPending(); }));
    EXPECT_EQ(shownLines(), QStringList({"b"}));

    listings->release(folder.filePath("C"));
    runEventsFor(300);
    EXPECT_EQ(shownLines(), QStringList({"b"}));
    EXPECT_EQ(model().playlist().count(), 1);
    EXPECT_EQ(model().playlist().path(1), folder.filePath("B/b.mp3"));
}

TEST_F(ScanScheduleTest, MakeautoWritesTheBrowserListForTheNextStart) {
    start();
    EXPECT_FALSE(program->scanPending());
    EXPECT_TRUE(browser().folderList().isEmpty());
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_FALSE(fileExists("folders.dat"));
    browser().folderListBox->lines->setStringList({"/eins", " ", "/zwei, drei"});
    writeFoldersDat(*program);
    EXPECT_EQ(readFile("folders.dat"), QByteArray("/eins\r\n \r\n/zwei, drei\r\n"));
    reloadFoldersDat(*program);
    EXPECT_EQ(browser().folderList(), QStringList({"/eins", "", "/zwei, drei"}));
}

}  // namespace
