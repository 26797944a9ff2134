#include "folderbrowser/Drives.h"
#include "model/FolderScanner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <algorithm>
#include <numeric>

namespace {

class FolderScannerTest : public ::testing::Test {
protected:
    QString folderWith(const QString& name, const QStringList& files) {
        QString folder = dir_.filePath(name);
        EXPECT_TRUE(QDir().mkpath(folder));
        for (const QString& file : files) {
            QFile created(folder + '/' + file);
            EXPECT_TRUE(created.open(QIODevice::WriteOnly)) << file.toStdString();
            created.write("ID3");
        }
        return folder;
    }

    QTemporaryDir dir_;
};

// 1, 2, ... count.
std::vector<int> oneTo(int count) {
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 1);
    return order;
}

std::vector<ScannedFile> filesIn(const QString& folder, const QStringList& names) {
    std::vector<ScannedFile> files;
    for (const QString& name : names) {
        files.push_back({folder, name});
    }
    return files;
}

TEST_F(FolderScannerTest, NamesSortWithoutRegardToCaseAndTiesAreSettledByCase) {
    const QString folder = folderWith(
        "F", {"b.mp3", "a.mp3", "C.mp3", "A.mp3", "a10.mp3", "a2.mp3", "ab.mp3", "AB.mp3", "Ab.mp3",
              "aB.mp3", QString::fromUtf8("über.mp3"), QString::fromUtf8("Über.mp3"), "Zz.mp3"});
    EXPECT_EQ(scanFolders({folder}),
              filesIn(folder, {"A.mp3", "a.mp3", "a10.mp3", "a2.mp3", "AB.mp3", "Ab.mp3", "aB.mp3",
                               "ab.mp3", "b.mp3", "C.mp3", "Zz.mp3", QString::fromUtf8("Über.mp3"),
                               QString::fromUtf8("über.mp3")}));
}

TEST_F(FolderScannerTest, OnlyVisibleRegularFilesEndingInMp3InAnyCase) {
    const QString folder = folderWith("F", {"x.MP3", "y.Mp3", "notes.txt", "song.mp3.bak",
                                            "song.mp3x", "mp3", "xmp3", ".hidden.mp3"});
    ASSERT_TRUE(QDir(folder).mkdir("sub.mp3"));
    ASSERT_TRUE(QFile::link(folder + "/x.MP3", folder + "/link.mp3"));
    ASSERT_TRUE(QFile::link(folder + "/sub.mp3", folder + "/dirlink.mp3"));
    ASSERT_TRUE(QFile::link(folder + "/gone.mp3", folder + "/broken.mp3"));
    // A pipe would block whoever opens it.
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + "/pipe.mp3").constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(folder + "/pipe.mp3", folder + "/pipelink.mp3"));

    EXPECT_EQ(scanFolders({folder}), filesIn(folder, {"link.mp3", "x.MP3", "y.Mp3"}));
}

TEST_F(FolderScannerTest, FolderByFolderInListOrderSkippingThoseThatCannotBeListed) {
    const QString a = folderWith("A", {"a1.mp3", "a2.mp3"});
    const QString b = folderWith("B", {"b1.mp3"});
    const QString gone = folderWith("Gone", {"g.mp3"});
    ASSERT_TRUE(QDir(gone).removeRecursively());
    const QString plainFile = dir_.filePath("plain.mp3");
    QFile(plainFile).open(QIODevice::WriteOnly);
    // A NUL byte must not cut the path short to the folder A; a trailing slash does not end up
    // in the paths.
    const QString withNul = a + QChar::Null + "x";

    EXPECT_EQ(scanFolders({a, gone, b + "/", "", plainFile, withNul, a}),
              (std::vector<ScannedFile>{
                  {a, "a1.mp3"}, {a, "a2.mp3"}, {b, "b1.mp3"}, {a, "a1.mp3"}, {a, "a2.mp3"}}));
}

TEST_F(FolderScannerTest, StopsAtTheLimitWithTheFirstFilesInScanOrder) {
    // A folder lists in no particular order, so only a listing sorted before it is cut keeps the
    // right ones.
    const auto names = [](const QString& prefix, int count) {
        QStringList list;
        for (int number = count; number >= 1; --number) {
            list.append(QString("%1%2.mp3").arg(prefix).arg(number, 4, 10, QLatin1Char('0')));
        }
        return list;
    };
    const QString a = folderWith("A", names("a", 900));
    const QString b = folderWith("B", names("b", 900));
    const QString c = folderWith("C", names("c", 900));

    const auto files = scanFolders({a, b, c});
    ASSERT_EQ(files.size(), 2000U);
    EXPECT_EQ(files.front(), (ScannedFile{a, "a0001.mp3"}));
    EXPECT_EQ(files[1799], (ScannedFile{b, "b0900.mp3"}));
    EXPECT_EQ(files[1800], (ScannedFile{c, "c0001.mp3"}));
    EXPECT_EQ(files.back(), (ScannedFile{c, "c0200.mp3"}));

    EXPECT_EQ(scanFolders({c, a}, 2), filesIn(c, {"c0001.mp3", "c0002.mp3"}));
    std::stop_source given_up;
    given_up.request_stop();
    EXPECT_EQ(scanFolders({a}, 2000, LocalFolders(), given_up.get_token()),
              std::vector<ScannedFile>{});
}

// The drive list is read from the mount table alone: a look at a dead mount would never return.
TEST(DrivesInMountTable, TakesTheMountPointsOfFilesRootFirstAndUnescaped) {
    const QByteArray table =
        "proc /proc proc rw 0 0\n"
        "/dev/sdb1 /media/stick\\040neu vfat rw 0 0\n"
        "server:/musik /mnt/musik nfs4 rw 0 0\n"
        "cgroup2 /opt/cgroup cgroup2 rw 0 0\n"
        "devpts /dev/pts devpts rw 0 0\n"
        "tmpfs /run/user/1000 tmpfs rw 0 0\n"
        "/dev/sda1 / ext4 rw 0 0\n"
        "/dev/sdb1 /media/stick\\040neu vfat rw 0 0\n"
        "langsam /mnt/netz fuse.sshfs rw 0 0\n";
    EXPECT_EQ(drivesInMountTable(table),
              QStringList({"/", "/media/stick neu", "/mnt/musik", "/mnt/netz", "/run/user/1000"}));
    EXPECT_EQ(drivesInMountTable(""), QStringList({"/"}));
}

TEST(ToEntries, TitleLosesTheLastFourCharactersAndTheRootGetsADoubleSlash) {
    EXPECT_EQ(toEntries({{"/", "song.mp3"}, {"/m", "x.MP3"}, {"/m/Neu, Alt", "a b.mp3"}}),
              (std::vector<PlaylistStore::Entry>{
                  {"song", "//song.mp3"}, {"x", "/m/x.MP3"}, {"a b", "/m/Neu, Alt/a b.mp3"}}));
}

// A fresh permutation at each call: equal by chance with probability 1/2000!.
TEST(ShuffledOrder, IsAFreshPermutationAtEachCall) {
    EXPECT_EQ(shuffledOrder(-3), std::vector<int>{});
    EXPECT_EQ(shuffledOrder(1), std::vector<int>{1});
    const std::vector<int> first = shuffledOrder(2000);
    std::vector<int> sorted = first;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, oneTo(2000));
    EXPECT_NE(first, shuffledOrder(2000));
}

}  // namespace
