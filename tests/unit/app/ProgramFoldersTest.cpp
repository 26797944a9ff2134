#include "app/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/Program.h"

namespace {

// Sets (or with nullptr unsets) an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name), saved_(qgetenv(name)) {
        had_ = qEnvironmentVariableIsSet(name);
        value != nullptr ? qputenv(name, value) : qunsetenv(name);
    }
    ~ScopedEnv() { had_ ? qputenv(name_, saved_) : qunsetenv(name_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    QByteArray saved_;
    bool had_ = false;
};

TEST(ProgramFoldersTest, AWritableCopyKeepsItsFilesBesideItself) {
    const QTemporaryDir dir;
    EXPECT_EQ(filesFolderFor(dir.path()), dir.path());
    EXPECT_EQ(filesFolderFor("/opt/player", true), "/opt/player");
}

// Two users of one installed copy, each with a folder of their own.
TEST(ProgramFoldersTest, AnInstalledCopyKeepsThemInEachUsersConfigurationFolder) {
    {
        const ScopedEnv home("HOME", "/home/anna");
        const ScopedEnv config("XDG_CONFIG_HOME", "/home/anna/einstellungen");
        EXPECT_EQ(filesFolderFor("/usr/bin", false), "/home/anna/einstellungen/brambleplayer");
    }
    const ScopedEnv home("HOME", "/home/bernd");
    const ScopedEnv config("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(filesFolderFor("/usr/bin", false), "/home/bernd/.config/brambleplayer");
}

TEST(ProgramFoldersTest, HelpFileBesideTheProgramOrInTheDataFolderOfItsInstallation) {
    const QTemporaryDir prefix;
    const QString bin = prefix.filePath("bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    EXPECT_EQ(helpFileFor(bin), prefix.filePath("share/brambleplayer/hilfe.rtf"));
    QFile beside(bin + "/hilfe.rtf");
    ASSERT_TRUE(beside.open(QIODevice::WriteOnly));
    EXPECT_EQ(helpFileFor(bin), bin + "/hilfe.rtf");
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
