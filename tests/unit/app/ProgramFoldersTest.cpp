#include "app/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/Program.h"
#include "fakes/ScopedEnv.h"

namespace {

// An installed copy keeps them in the user's configuration folder even where it could write
// beside itself, as root can; a portable one only where it cannot.
TEST(ProgramFoldersTest, OnlyAPortableCopyKeepsItsFilesBesideItself) {
    const ScopedEnv home("HOME", "/home/anna");
    const ScopedEnv config("XDG_CONFIG_HOME", "/home/anna/einstellungen");
    const QString own = "/home/anna/einstellungen/brambleplayer";
    struct Case {
        CopyKind kind;
        bool writable;
        QString expected;
    };
    for (const Case& c :
         {Case{CopyKind::Portable, true, "/opt/player"},
          Case{CopyKind::Unknown, true, "/opt/player"}, Case{CopyKind::Portable, false, own},
          Case{CopyKind::Installed, true, own}, Case{CopyKind::Installed, false, own}}) {
        EXPECT_EQ(filesFolderFor("/opt/player", c.kind, c.writable), c.expected)
            << static_cast<int>(c.kind) << " " << c.writable;
    }
    const ScopedEnv noConfig("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(filesFolderFor("/usr/bin", CopyKind::Installed, false),
              "/home/anna/.config/brambleplayer");
}

// The help text says what kind of copy it is: in the data folder of an installation only, the
// copy is installed, although its folder may be written here.
TEST(ProgramFoldersTest, HelpFileBesideTheProgramOrInTheDataFolderOfItsInstallation) {
    const QTemporaryDir prefix;
    const QTemporaryDir home;
    const ScopedEnv config("XDG_CONFIG_HOME", home.path().toLocal8Bit().constData());
    const QString bin = prefix.filePath("bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    ASSERT_TRUE(QDir().mkpath(prefix.filePath("share/brambleplayer")));
    QFile installed(prefix.filePath("share/brambleplayer/hilfe.rtf"));
    ASSERT_TRUE(installed.open(QIODevice::WriteOnly));
    EXPECT_EQ(helpFileFor(bin), prefix.filePath("share/brambleplayer/hilfe.rtf"));
    EXPECT_EQ(copyKindOf(bin), CopyKind::Installed);
    EXPECT_EQ(filesFolderFor(bin), home.filePath("brambleplayer"));

    QFile beside(bin + "/hilfe.rtf");
    ASSERT_TRUE(beside.open(QIODevice::WriteOnly));
    EXPECT_EQ(helpFileFor(bin), bin + "/hilfe.rtf");
    EXPECT_EQ(copyKindOf(bin), CopyKind::Portable);
    EXPECT_EQ(filesFolderFor(bin), bin);
}

// The user's own folder appears at the first write, with a Playlist folder for saved lists; a
// program folder that exists is never changed by it.
TEST(ProgramFoldersTest, TheFirstWriteMakesAMissingProgramFolder) {
    const QTemporaryDir home;
    const QString own = home.filePath(".config/brambleplayer");
    Program installed(own, {});
    EXPECT_FALSE(QFile::exists(own));
    installed.makeProgramFolder();
    EXPECT_TRUE(QFileInfo(own + "/Playlist").isDir());

    Program besideItself(home.path(), {});
    besideItself.makeProgramFolder();
    EXPECT_FALSE(QFile::exists(home.filePath("Playlist")));
    EXPECT_EQ(besideItself.helpPath(), home.filePath("hilfe.rtf"));
}

}  // namespace
