#include <QApplication>
#include <QWindow>

#include "fakes/ProgramFixture.h"
#include "folderbrowser/FolderChooser.h"

namespace {

class FrmdirTest : public ProgramFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(folder.path()).mkpath("musik/rock"));
        ASSERT_TRUE(QDir(folder.path()).mkpath("musik/jazz"));
    }
    void startWithStandardFolder(const QString& standard) {
        writeSettings({" 1 ", " 1 ", " 0 ", standard.toUtf8(), " 1 ", " 0 ", " 0 "});
        start();
        click("Label5");
        // "Übernehmen" used, and the text edited without confirming it.
        QTest::mouseClick(opts().Command4, Qt::LeftButton);
        opts().estfolder->setText("/bearbeitet");
    }
    frmdir& chooser() {
        QTest::mouseClick(opts().Command3, Qt::LeftButton);
        frmdir& dir = *program->frmdirIfLoaded();
        EXPECT_TRUE(waitUntil([&] { return !dir.Dir1->path().isEmpty(); }));
        return dir;
    }
    QString path(const QString& name) const { return QDir(folder.path()).filePath(name); }
    void openInList(frmdir& dir, const QString& folder) {
        const auto found = dir.Dir1->findItems(folder, Qt::MatchEndsWith);
        ASSERT_EQ(found.size(), 1);
        const QPoint where = dir.Dir1->visualItemRect(found[0]).center();
        QTest::mouseClick(dir.Dir1->viewport(), Qt::LeftButton, {}, where);
        QTest::mouseDClick(dir.Dir1->viewport(), Qt::LeftButton, {}, where);
        EXPECT_TRUE(waitUntil([&] { return dir.Dir1->path().endsWith("/" + folder); }));
    }
};

// "Abbrechen", the close box and Escape give the focus back to "...", the chooser's opener.
TEST_F(FrmdirTest, CancelAndCloseBoxChangeNothingOkTakesTheOpenFolder) {
    startWithStandardFolder(path("musik"));
    for (const int way : {0, 1, 2}) {
        SCOPED_TRACE(way);
        ASSERT_TRUE(activate(opts()));
        frmdir& dir = chooser();
        openInList(dir, "jazz");
        ASSERT_TRUE(activate(dir));
        if (way == 0) {
            QTest::mouseClick(dir.Command2, Qt::LeftButton);
        } else if (way == 1) {
            dir.close();
        } else {
            QTest::keyClick(dir.Dir1, Qt::Key_Escape);
        }
        EXPECT_EQ(opts().estfolder->text(), "/bearbeitet");
        EXPECT_FALSE(opts().Command4->isEnabled());
        EXPECT_TRUE(opts().isEnabled());
        EXPECT_EQ(program->frmdirIfLoaded(), nullptr);
        EXPECT_TRUE(waitUntil([this] { return QApplication::focusWidget() == opts().Command3; }));
    }

    frmdir& first = chooser();
    EXPECT_TRUE(first.isVisible());
    EXPECT_EQ(first.windowTitle(), "Standard-Verzeichnis wählen");
    EXPECT_FALSE(opts().isEnabled());
    EXPECT_EQ(first.windowHandle()->transientParent(), opts().windowHandle());
    // Preset from the folder in use, not from the edited text.
    EXPECT_EQ(first.Dir1->path(), path("musik"));
    EXPECT_TRUE(first.Dir1->path().startsWith(first.Drive1->currentText()));
    // A screen reader reads what the drive list is for, and a folder by its name and depth.
    const QAccessibleInterface* drives = QAccessible::queryAccessibleInterface(first.Drive1);
    EXPECT_EQ(drives->text(QAccessible::Name), "Laufwerk");
    EXPECT_EQ(drives->text(QAccessible::Value), first.Drive1->currentText());
    const QAccessibleInterface* shown =
        QAccessible::queryAccessibleInterface(first.Dir1)->child(first.Dir1->currentRow());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(QAccessible::Name), "musik");
    EXPECT_EQ(shown->text(QAccessible::Description),
              QString("Ebene %1").arg(path("musik").count('/') + 1));
    QTest::mouseClick(first.Command1, Qt::LeftButton);
    EXPECT_EQ(opts().estfolder->text(), path("musik"));
    EXPECT_TRUE(opts().Command4->isEnabled());
    EXPECT_TRUE(opts().isEnabled());
    EXPECT_EQ(program->frmdirIfLoaded(), nullptr);

    frmdir& second = chooser();
    openInList(second, "rock");
    const auto jazz = second.Dir1->findItems("jazz", Qt::MatchEndsWith);
    ASSERT_TRUE(jazz.isEmpty());  // inside "rock" now
    QTest::mouseClick(second.Dir1->viewport(), Qt::LeftButton, {},
                      second.Dir1->visualItemRect(second.Dir1->item(0)).center());
    QTest::mouseClick(second.Command1, Qt::LeftButton);
    EXPECT_EQ(opts().estfolder->text(), path("musik/rock"));
}

TEST_F(FrmdirTest, GoneStandardFolderOpensOnTheProgramFolder) {
    startWithStandardFolder(path("weg"));
    EXPECT_EQ(chooser().Dir1->path(), QDir::cleanPath(folder.path()));
}

// A slow standard folder: "OK" waits for it; closed before it comes, it drops it.
TEST_F(FrmdirTest, ASlowStandardFolderIsShownWhenItsListingComes) {
    listings->hold(path("musik"));
    startWithStandardFolder(path("musik"));
    for (const int opening : {1, 2}) {
        QTest::mouseClick(opts().Command3, Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return listings->waiting(path("musik")) == opening; }));
        frmdir& dir = *program->frmdirIfLoaded();
        EXPECT_TRUE(dir.isVisible());
        EXPECT_EQ(dir.cursor().shape(), Qt::BusyCursor);
        EXPECT_FALSE(dir.Command1->isEnabled());
        if (opening == 1) {
            QTest::mouseClick(dir.Command2, Qt::LeftButton);
        }
    }
    listings->release(path("musik"));
    frmdir& dir = *program->frmdirIfLoaded();
    ASSERT_TRUE(waitUntil([&] { return dir.Command1->isEnabled(); }));
    EXPECT_EQ(dir.Dir1->path(), path("musik"));
    EXPECT_EQ(dir.cursor().shape(), Qt::ArrowCursor);
    runEventsFor(100);  // the first chooser's listing came to nothing
    EXPECT_EQ(opts().estfolder->text(), "/bearbeitet");
}

}  // namespace
