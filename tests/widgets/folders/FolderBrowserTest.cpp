#include <QDir>
#include <QFile>
#include <QTest>

#include "fakes/ProgramFixture.h"
#include "folders/frmopen.h"
#include "player/Form1.h"
#include "playlist/ListFile.h"
#include "playlist/PlaylistCommands.h"
#include "playlist/playlist.h"

namespace {

using Answer = MessageBoxes::Answer;

class FolderBrowserTest : public ProgramFixture {
protected:
    frmopen& browser() { return program->frmopenWindow(); }
    Form1& form() { return program->form1(); }
    FakePlayer& preview() { return dynamic_cast<FakePlayer&>(*browser().MediaPlayer1); }
    FakeFileDialog& dialog() { return dynamic_cast<FakeFileDialog&>(*browser().CommonDialog1); }
    QStringList shownLines() { return program->playlistWindow().lines->stringList(); }
    QString path(const QString& sub) const { return folder.filePath(sub); }
    QStringList paths(const QStringList& subs) const {
        QStringList result;
        for (const QString& sub : subs) {
            result << path(sub);
        }
        return result;
    }
    QPoint lineCentre(int row) {
        return browser().lstdirs->visualRect(browser().lstdirs->model()->index(row, 0)).center();
    }
    QWidget* lines() { return browser().lstdirs->viewport(); }
    // Opens the browser from the main window at the program folder's `sub`.
    void openAt(const QString& sub) {
        form().pathopt = path(sub);
        QTest::mouseClick(form().Label7, Qt::LeftButton);
        ASSERT_TRUE(browser().isVisible());
    }
};

TEST_F(FolderBrowserTest, CountsTheMp3FilesAndPreviewsOnlyOnPlay) {
    makeFiles("Musik", {"b.mp3", "A.MP3", "note.txt", ".versteckt.mp3"});
    makeFiles("Leer", {});
    start();
    openAt("Musik");
    EXPECT_EQ(browser().Label3->text(),
              "In diesem Ordner sind 2 MP3's welche hinzugefügt werden können");
    EXPECT_EQ(browser().File1->fileName(0), "A.MP3");
    EXPECT_EQ(browser().Drive1->currentText(), "/");

    // A click loads the file into the preview but does not start it.
    QTest::mouseClick(browser().File1->viewport(), Qt::LeftButton, {},
                      browser().File1->visualRect(browser().File1->model()->index(1, 0)).center());
    EXPECT_EQ(preview().calls, QStringList({"stop", "file:" + path("Musik/b.mp3")}));
    EXPECT_NE(preview().state, MediaPlayer::kPlaying);
    EXPECT_FALSE(preview().autoStarts);
    QTest::mouseClick(browser().Label4, Qt::LeftButton);
    EXPECT_EQ(preview().state, MediaPlayer::kPlaying);
    QTest::mouseClick(browser().Label5, Qt::LeftButton);
    EXPECT_EQ(preview().file, "");
    EXPECT_NE(preview().state, MediaPlayer::kPlaying);
    // With nothing loaded, play says so.
    QTest::mouseClick(browser().Label4, Qt::LeftButton);
    ASSERT_EQ(messages->shown.size(), 1U);
    EXPECT_EQ(messages->shown[0].text, "Keine MP3 zum abspielen gewählt");
    EXPECT_EQ(messages->shown[0].title, "Abspielfehler!");
    // The main player was never touched.
    EXPECT_TRUE(players.at(0)->calls.isEmpty());

    browser().Dir1_Open(path("Leer"));
    EXPECT_EQ(browser().Label3->text(),
              "In diesem Ordner sind 0 MP3's welche hinzugefügt werden können");
    EXPECT_EQ(browser().Dir1->path(), path("Leer"));
}

TEST_F(FolderBrowserTest, AnUnreadableDriveOrFolderKeepsThePreviousFolder) {
    makeFiles("Musik", {"a.mp3"});
    start();
    openAt("Musik");
    const QString countText = browser().Label3->text();
    const QString gone = path("weg");

    browser().Drive1->addItem(gone);
    browser().Drive1->setCurrentIndex(browser().Drive1->count() - 1);
    browser().Drive1_Change();
    browser().Dir1_Open(gone);  // listed once, vanished before the double click

    ASSERT_EQ(messages->shown.size(), 2U);
    for (const FakeMessageBoxes::Shown& shown : messages->shown) {
        EXPECT_EQ(shown.text, "Kein Datenträger in diesem Laufwerk!");
        EXPECT_EQ(shown.title, "Fehler!");
        EXPECT_EQ(shown.icon, MessageBoxes::Icon::None);
    }
    EXPECT_EQ(browser().Dir1->path(), path("Musik"));
    EXPECT_EQ(browser().Drive1->currentText(), "/");
    EXPECT_EQ(browser().Label3->text(), countText);
}

// Both openers: the main window's "Insert" hides the player's windows, the playlist window's
// menu disables them; the commit gives them back either way.
class FolderBrowserCommitTest : public FolderBrowserTest,
                                public ::testing::WithParamInterface<AddFolderFrom> {};

TEST_P(FolderBrowserCommitTest, AFolderAddedTwiceGivesItsFilesTwice) {
    makeFiles("A", {"y.mp3", "x.mp3"});
    start();
    ASSERT_EQ(form().Label2->foreColor(), QColor(255, 0, 0));  // enlarged, as without settings
    form().pathopt = path("A");
    addFolder(*program, GetParam());
    ASSERT_TRUE(browser().isVisible());
    playlist& before = program->playlistWindow();
    if (GetParam() == AddFolderFrom::MainWindow) {
        EXPECT_FALSE(form().isVisible());
        EXPECT_FALSE(before.isVisible());
    } else {
        EXPECT_FALSE(form().isEnabled());
        EXPECT_FALSE(before.isEnabled());
    }

    QTest::mousePress(browser().Label2, Qt::LeftButton);
    EXPECT_EQ(browser().Label2->foreColor(), QColor(0, 0, 255));
    QTest::mouseRelease(browser().Label2, Qt::LeftButton);
    EXPECT_EQ(browser().Label2->foreColor(), QColor(0, 0, 0));
    QTest::mouseClick(browser().Label2, Qt::LeftButton);
    EXPECT_EQ(browser().folderList(), paths({"A", "A"}));
    ASSERT_TRUE(browser().Command1->isEnabled());

    QTest::mouseClick(browser().Command1, Qt::LeftButton);
    EXPECT_EQ(readFile("folders.dat"), (path("A") + "\r\n" + path("A") + "\r\n").toLocal8Bit());
    EXPECT_FALSE(browser().isVisible());
    EXPECT_EQ(browser().folderList(), paths({"A", "A"}));
    playlist& after = program->playlistWindow();
    for (QWidget* window : {static_cast<QWidget*>(&form()), static_cast<QWidget*>(&after)}) {
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->isEnabled());
    }
    EXPECT_EQ(after.height(), 368);  // still enlarged
    EXPECT_EQ(form().plcurr, "1");
    ASSERT_TRUE(waitUntil([this] { return !program->scanPending(); }));
    EXPECT_EQ(shownLines(), QStringList({"x", "y", "x", "y"}));
    EXPECT_EQ(program->store.path(3), path("A/x.mp3"));
}

INSTANTIATE_TEST_SUITE_P(Openers, FolderBrowserCommitTest,
                         ::testing::Values(AddFolderFrom::MainWindow,
                                           AddFolderFrom::PlaylistWindow));

TEST_F(FolderBrowserTest, AbbrechenRestoresTheSavedListAndRebuildsThePlaylist) {
    makeFiles("A", {"a.mp3"});
    makeFiles("B", {"b.mp3"});
    writeFolders({"A"});
    start();
    ASSERT_TRUE(waitUntil([this] { return !program->scanPending(); }));
    openAt("B");
    QTest::mouseClick(browser().Label2, Qt::LeftButton);
    browser().lstdirs->setListIndex(0);
    QTest::keyClick(browser().lstdirs, Qt::Key_Delete);
    ASSERT_EQ(browser().folderList(), paths({"B"}));
    QTest::mouseClick(browser().File1->viewport(), Qt::LeftButton, {},
                      browser().File1->visualRect(browser().File1->model()->index(0, 0)).center());

    QTest::mouseClick(browser().Command2, Qt::LeftButton);
    EXPECT_FALSE(browser().isVisible());
    EXPECT_EQ(browser().folderList(), paths({"A"}));
    EXPECT_EQ(readFile("folders.dat"), (path("A") + "\r\n").toLocal8Bit());
    EXPECT_EQ(preview().file, "");
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(shownLines().isEmpty());  // cleared, and rebuilt by the scan
    ASSERT_TRUE(program->scanPending());
    ASSERT_TRUE(waitUntil([this] { return !program->scanPending(); }));
    EXPECT_EQ(shownLines(), QStringList({"a"}));
}

class FolderBrowserDragTest : public FolderBrowserTest,
                              public ::testing::WithParamInterface<std::vector<int>> {};

// However fast the mouse goes, the pressed entry passes the others one at a time.
TEST_P(FolderBrowserDragTest, TheFirstEntryDraggedOverThreeLandsFourth) {
    start();
    browser().show();
    browser().setFolderList({"a", "b", "c", "d", "e"});
    QTest::mousePress(lines(), Qt::LeftButton, {}, lineCentre(0));
    for (const int row : GetParam()) {
        QTest::mouseMove(lines(), lineCentre(row));
    }
    QTest::mouseRelease(lines(), Qt::LeftButton, {}, lineCentre(GetParam().back()));
    EXPECT_EQ(browser().folderList(), QStringList({"b", "c", "d", "a", "e"}));
    EXPECT_EQ(browser().lstdirs->listIndex(), 3);
    // Released: moving on changes nothing.
    QTest::mouseMove(lines(), lineCentre(4));
    EXPECT_EQ(browser().folderList(), QStringList({"b", "c", "d", "a", "e"}));
}

INSTANTIATE_TEST_SUITE_P(Moves, FolderBrowserDragTest,
                         ::testing::Values(std::vector<int>{1, 2, 3}, std::vector<int>{3}));

TEST_F(FolderBrowserTest, DeleteRemovesOnlyASelectedEntryAndAnEmptyListCannotCommit) {
    start();
    browser().show();
    browser().setFolderList({"a", "b", "c"});
    QTest::keyClick(browser().lstdirs, Qt::Key_Delete);
    EXPECT_EQ(browser().folderList(), QStringList({"a", "b", "c"}));
    browser().lstdirs->setListIndex(1);
    QTest::keyClick(browser().lstdirs, Qt::Key_Delete);
    EXPECT_EQ(browser().folderList(), QStringList({"a", "c"}));
    // Nothing is selected after a removal: a second Delete removes nothing more.
    QTest::keyClick(browser().lstdirs, Qt::Key_Delete);
    EXPECT_EQ(browser().folderList(), QStringList({"a", "c"}));
    ASSERT_TRUE(browser().Command1->isEnabled());

    for (const int row : {1, 0}) {
        browser().lstdirs->setListIndex(row);
        QTest::keyClick(browser().lstdirs, Qt::Key_Delete);
    }
    EXPECT_FALSE(browser().Command1->isEnabled());
    // Nor does the timer that keeps it in step enable it again.
    EXPECT_TRUE(browser().Timer1->isRunning());
    runEventsFor(150);
    EXPECT_FALSE(browser().Command1->isEnabled());
    EXPECT_TRUE(messages->shown.empty());
}

struct ClearCase {
    Answer answer;
    bool chooseFile;  // false: the save dialog is cancelled
    bool cleared;
};

class FolderBrowserClearTest : public FolderBrowserTest,
                               public ::testing::WithParamInterface<ClearCase> {};

TEST_P(FolderBrowserClearTest, TheAnswerDecidesWhatIsSavedAndCleared) {
    start();
    QTest::mouseClick(browser().Command4, Qt::LeftButton);  // an empty list asks nothing
    EXPECT_TRUE(messages->shown.empty());

    browser().setFolderList({"/m", "/n"});
    messages->answers = {GetParam().answer};
    dialog().chosenFile = GetParam().chooseFile ? folder.filePath("vorher.mpc") : QString();
    QTest::mouseClick(browser().Command4, Qt::LeftButton);
    ASSERT_EQ(messages->shown.size(), 1U);
    EXPECT_EQ(messages->shown[0].text,
              "Wollen sie die Verzeichnisse speichern bevor sie sie löschen ?");
    EXPECT_EQ(messages->shown[0].title, "Meldung");
    EXPECT_EQ(messages->shown[0].buttons, MessageBoxes::Buttons::YesNoCancel);
    EXPECT_EQ(browser().folderList().isEmpty(), GetParam().cleared);
    EXPECT_EQ(dialog().saves, GetParam().answer == Answer::Yes ? 1 : 0);
    if (GetParam().answer == Answer::Yes) {
        EXPECT_EQ(dialog().initDir, folder.path() + "/Playlist");
    }
    const bool saved = GetParam().answer == Answer::Yes && GetParam().chooseFile;
    EXPECT_EQ(readFile("vorher.mpc"), saved ? QByteArray("/m\r\n/n\r\n") : QByteArray());
}

INSTANTIATE_TEST_SUITE_P(Answers, FolderBrowserClearTest,
                         ::testing::Values(ClearCase{Answer::Yes, true, true},
                                           ClearCase{Answer::Yes, false, false},
                                           ClearCase{Answer::No, true, true},
                                           ClearCase{Answer::Cancel, true, false}));

TEST_F(FolderBrowserTest, SaveThenLoadGivesTheSameRecords) {
    start();
    const QStringList records{"/Musik/Neu, Alt", "", "/Musik/Rock"};
    browser().setFolderList(records);
    program->store.fill({{"t", "/Musik/Rock/t.mp3"}}, {1});

    // Cancelled: nothing is written, nothing changes.
    QTest::mouseClick(browser().Command3, Qt::LeftButton);
    QTest::mouseClick(browser().Command5, Qt::LeftButton);
    EXPECT_EQ(browser().folderList(), records);
    EXPECT_TRUE(QDir(folder.path()).entryList({"*.mpc"}, QDir::Files).isEmpty());

    dialog().chosenFile = folder.filePath("liste.mpc");
    QTest::mouseClick(browser().Command3, Qt::LeftButton);
    EXPECT_EQ(dialog().dialogTitle, "Playlist speichern");
    EXPECT_EQ(dialog().filter, "Playlist-Dateien |*.mpc");
    EXPECT_EQ(dialog().initDir, folder.path());
    EXPECT_EQ(dialog().defaultExt, ".mpc");
    browser().setFolderList({});

    QTest::mouseClick(browser().Command5, Qt::LeftButton);
    EXPECT_EQ(dialog().opens, 2);
    EXPECT_EQ(dialog().dialogTitle, "Playlist laden");
    EXPECT_EQ(dialog().filter, "Playlist-Dateien (*.mpc)|*.mpc");
    EXPECT_EQ(dialog().initDir, folder.path() + "/Playlist");
    EXPECT_EQ(browser().folderList(), records);
    EXPECT_TRUE(browser().Command1->isEnabled());
    // The main player may still move on to the next entry while the browser is open.
    EXPECT_EQ(program->store.path(1), "/Musik/Rock/t.mp3");
    EXPECT_TRUE(messages->shown.empty());
}

struct FileFault {
    const char* what;
    bool save;
    QString name;  // below the program folder
    QByteArray content;
    QString message;  // the start of the message; "" for none
};

class FolderBrowserFileFaultTest : public FolderBrowserTest,
                                   public ::testing::WithParamInterface<FileFault> {};

TEST_P(FolderBrowserFileFaultTest, TellsAndKeepsTheList) {
    const FileFault& fault = GetParam();
    QDir(folder.path()).mkpath("ordner.mpc");
    if (!fault.content.isEmpty()) {
        QFile f(folder.filePath(fault.name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(fault.content);
    }
    start();
    browser().setFolderList({"/m"});
    dialog().chosenFile = folder.filePath(fault.name);
    QTest::mouseClick(fault.save ? browser().Command3 : browser().Command5, Qt::LeftButton);
    if (fault.message.isEmpty()) {  // loaded, however odd its records
        EXPECT_TRUE(messages->shown.empty());
        ASSERT_NE(browser().folderList(), QStringList({"/m"}));
        // A line shows no more of a record than a path can hold, and the record stays whole.
        const QModelIndex first = browser().lstdirs->model()->index(0, 0);
        EXPECT_LE(first.data().toString().size(), FolderLines::kShownChars + 1);
        EXPECT_EQ(browser().folderList()[0].size(),
                  QString::fromLocal8Bit(fault.content.split('\r').first()).size());
        return;
    }
    ASSERT_EQ(messages->shown.size(), 1U) << fault.what;
    EXPECT_TRUE(messages->shown[0].text.startsWith(fault.message)) << fault.what;
    EXPECT_TRUE(messages->shown[0].text.contains(fault.name)) << fault.what;
    EXPECT_EQ(messages->shown[0].title, "Fehler");
    EXPECT_EQ(browser().folderList(), QStringList({"/m"})) << fault.what;
}

INSTANTIATE_TEST_SUITE_P(
    Files, FolderBrowserFileFaultTest,
    ::testing::Values(
        FileFault{"save into a missing folder", true, "fehlt/liste.mpc", {}, "Die Datei"},
        FileFault{"load a folder", false, "ordner.mpc", {}, "Die Datei"},
        FileFault{"load a file over 1 MB", false, "gross.mpc",
                  QByteArray(kListFileMaxBytes + 1, 'x'), "Die Datei"},
        FileFault{"load a binary file", false, "binaer.mpc",
                  QByteArray("\x00\xff\x01\r\n\xfe", 6).repeated(100000), ""},
        FileFault{"load lines far longer than a path", false, "zeilen.mpc",
                  (QByteArray(60'000, 'x') + "\r\n").repeated(10), ""}));

}  // namespace
