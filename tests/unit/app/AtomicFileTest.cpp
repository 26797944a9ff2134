#include "app/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <csignal>

namespace {

// Makes every file write beyond `bytes` fail with EFBIG, as a full disk would, for this process.
// Root passes every permission check, but not this one.
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

class AtomicFileTest : public ::testing::Test {
protected:
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

TEST_F(AtomicFileTest, ReplacesALongerOldFileWhole) {
    ASSERT_TRUE(writeFileAtomically(path(), QByteArray(500, 'x')));
    ASSERT_TRUE(writeFileAtomically(path(), "neu\r\n"));
    EXPECT_EQ(read(), QByteArray("neu\r\n"));
    EXPECT_EQ(files(), QStringList{"settings.cfg"});
}

TEST_F(AtomicFileTest, FullDiskKeepsTheOldFileByteForByteAndLeavesNoTemporaryFile) {
    ASSERT_TRUE(writeFileAtomically(path(), "alt\r\n"));
    bool written = true;
    {
        const FileSizeLimit limit(16);
        ASSERT_TRUE(limit.active());
        written = writeFileAtomically(path(), QByteArray(200, 'n'));
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(read(), QByteArray("alt\r\n"));
    EXPECT_EQ(files(), QStringList{"settings.cfg"});
}

TEST_F(AtomicFileTest, ImpossibleTargetsFailWithoutTouchingAnything) {
    EXPECT_FALSE(writeFileAtomically(path("missing/settings.cfg"), "x"));
    EXPECT_FALSE(QDir(path("missing")).exists());

    ASSERT_TRUE(writeFileAtomically(path("plain"), "plain"));
    EXPECT_FALSE(writeFileAtomically(path("plain/settings.cfg"), "x"));
    EXPECT_EQ(read("plain"), QByteArray("plain"));

    ASSERT_TRUE(QDir(dir_.path()).mkpath("folders.dat/inside"));
    EXPECT_FALSE(writeFileAtomically(path("folders.dat"), "x"));
    EXPECT_TRUE(QDir(path("folders.dat/inside")).exists());
    EXPECT_EQ(files(), QStringList{"plain"});
}

}  // namespace
