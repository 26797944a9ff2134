#include "fakes/ProgramFixture.h"
#include "folderbrowser/FolderChooser.h"

namespace {

class FolderChooserTest : public ProgramFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(folder.path()).mkpath("musik/rock"));
        ASSERT_TRUE(QDir(folder.path()).mkpath("musik/jazz"));
    }
    void startWithStandardFolder(const QString& standard) {
        writeSettings({" 1 ", " 1 ", " 0 ", standard.toUtf8(), " 1 ", " 0 ", " 0 "});
        start();
        click("optionsButton");
        // "Übernehmen" used, and the text edited without confirming it.
        QTest::mouseClick(opts().applyButton, Qt::LeftButton);
        opts().standardFolderEdit->setText("/bearbeitet");
    }
    FolderChooser& chooser() {
        QTest::mouseClick(opts().chooseFolderButton, Qt::LeftButton);
        FolderChooser& dir = *program->folderChooser.get();
        EXPECT_TRUE(waitUntil([&] { return !dir.folderTree->path().isEmpty(); }));
        return dir;
    }
    QString path(const QString& name) const { return QDir(folder.path()).filePath(name); }
    void openInList(FolderChooser& dir, const QString& folder) {
        const auto found = dir.folderTree->findItems(folder, Qt::MatchEndsWith);
        ASSERT_EQ(found.size(), 1);
        const QPoint where = dir.folderTree->visualItemRect(found[0]).center();
        QTest::mouseClick(dir.folderTree->viewport(), Qt::LeftButton, {}, where);
        QTest::mouseDClick(dir.folderTree->viewport(), Qt::LeftButton, {}, where);
        EXPECT_TRUE(waitUntil([&] { return dir.folderTree->path().endsWith("/" + folder); }));
    }
};

TEST_F(FolderChooserTest, CancelAndCloseBoxChangeNothingOkTakesTheOpenFolder) {
    startWithStandardFolder(path("musik"));
    for (const int way : {0, 1, 2}) {
        SCOPED_TRACE(way);
        ASSERT_TRUE(activate(opts()));
        FolderChooser& dir = chooser();
        openInList(dir, "jazz");
        ASSERT_TRUE(activate(dir));
        if (way == 0) {
            QTest::mouseClick(dir.cancelButton, Qt::LeftButton);
        } else if (way == 1) {
            dir.close();
        } else {
            QTest::keyClick(dir.folderTree, Qt::Key_Escape);
        }
        EXPECT_EQ(opts().standardFolderEdit->text(), "/bearbeitet");
        EXPECT_FALSE(opts().applyButton->isEnabled());
        EXPECT_TRUE(opts().isEnabled());
        EXPECT_EQ(program->folderChooser.get(), nullptr);
    }

    FolderChooser& first = chooser();
    EXPECT_TRUE(first.isVisible());
    EXPECT_EQ(first.windowTitle(), "Standard-Verzeichnis wählen");
    EXPECT_FALSE(opts().isEnabled());
    // Preset from the folder in use, not from the edited text.
    EXPECT_EQ(first.folderTree->path(), path("musik"));
    EXPECT_TRUE(first.folderTree->path().startsWith(first.driveBox->currentText()));
    QTest::mouseClick(first.okButton, Qt::LeftButton);
    EXPECT_EQ(opts().standardFolderEdit->text(), path("musik"));
    EXPECT_TRUE(opts().applyButton->isEnabled());
    EXPECT_TRUE(opts().isEnabled());
    EXPECT_EQ(program->folderChooser.get(), nullptr);

    FolderChooser& second = chooser();
    openInList(second, "rock");
    const auto jazz = second.folderTree->findItems("jazz", Qt::MatchEndsWith);
    ASSERT_TRUE(jazz.isEmpty());  // inside "rock" now
    QTest::mouseClick(second.folderTree->viewport(), Qt::LeftButton, {},
                      second.folderTree->visualItemRect(second.folderTree->item(0)).center());
    QTest::mouseClick(second.okButton, Qt::LeftButton);
    EXPECT_EQ(opts().standardFolderEdit->text(), path("musik/rock"));
}

TEST_F(FolderChooserTest, GoneStandardFolderOpensOnTheProgramFolder) {
    startWithStandardFolder(path("weg"));
    EXPECT_EQ(chooser().folderTree->path(), QDir::cleanPath(folder.path()));
}

// A slow standard folder: "OK" waits for it; closed before it comes, it drops it.
TEST_F(FolderChooserTest, ASlowStandardFolderIsShownWhenItsListingComes) {
    listings->hold(path("musik"));
    startWithStandardFolder(path("musik"));
    for (const int opening : {1, 2}) {
        QTest::mouseClick(opts().chooseFolderButton, Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return listings->waiting(path("musik")) == opening; }));
        FolderChooser& dir = *program->folderChooser.get();
        EXPECT_TRUE(dir.isVisible());
        EXPECT_FALSE(dir.okButton->isEnabled());
        if (opening == 1) {
            QTest::mouseClick(dir.cancelButton, Qt::LeftButton);
        }
    }
    listings->release(path("musik"));
    FolderChooser& dir = *program->folderChooser.get();
    ASSERT_TRUE(waitUntil([&] { return dir.okButton->isEnabled(); }));
    EXPECT_EQ(dir.folderTree->path(), path("musik"));
    runEventsFor(100);  // the first chooser's listing came to nothing
    EXPECT_EQ(opts().standardFolderEdit->text(), "/bearbeitet");
}

}  // namespace
