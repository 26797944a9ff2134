#include "app/PlaylistOperations.h"
#include "fakes/ProgramFixture.h"
#include "fakes/ShownText.h"
#include "platform/FileNames.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <string>

namespace {

using Answer = MessageBoxes::Answer;

class FolderBrowserTest : public ProgramFixture {
protected:
    FakePlayer& preview() { return dynamic_cast<FakePlayer&>(*browser().previewPlayer); }
    FakeFileDialog& dialog() { return dynamic_cast<FakeFileDialog&>(*browser().fileDialog); }
    QString path(const QString& sub) const { return folder.filePath(sub); }
    static QPoint centre(const QAbstractItemView* view, int row) {
        return view->visualRect(view->model()->index(row, 0)).center();
    }
    static void clickRow(QAbstractItemView* view, int row) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre(view, row));
    }
    bool browserShows(const QString& sub) {
        return waitUntil([&] { return browser().folderTree->path() == path(sub); });
    }
    QString count(int n) {
        return QString("In diesem Ordner sind %1 MP3's welche hinzugefügt werden können").arg(n);
    }
};

TEST_F(FolderBrowserTest, CountsTheMp3FilesPreviewsOnlyOnPlayAndKeepsAReadableFolder) {
    makeFiles("Musik", {"b.mp3", "A.MP3", "note.txt", ".versteckt.mp3"});
    makeFiles("Leer", {});
    start();
    program->settings().setStandardFolder(path("Musik"));
    click("insertButton");
    ASSERT_TRUE(waitUntil([this] { return browser().fileCount->text() == count(2); }));
    EXPECT_EQ(browser().fileNames->stringList().at(0), "A.MP3");

    clickRow(browser().fileList, 1);  // loads the file but does not start it
    EXPECT_EQ(preview().calls, QStringList({"stop", "file:" + path("Musik/b.mp3")}));
    EXPECT_NE(preview().state, MediaPlayer::kPlaying);
    QTest::mouseClick(browser().previewPlayButton, Qt::LeftButton);
    EXPECT_EQ(preview().state, MediaPlayer::kPlaying);
    QTest::mouseClick(browser().previewStopButton, Qt::LeftButton);
    EXPECT_EQ(preview().file, "");
    EXPECT_NE(preview().state, MediaPlayer::kPlaying);
    QTest::mouseClick(browser().previewPlayButton, Qt::LeftButton);  // nothing loaded
    EXPECT_EQ(messages->told(), QStringList({"Abspielfehler!: Keine MP3 zum abspielen gewählt"}));
    EXPECT_TRUE(players.at(0)->calls.isEmpty());  // the main player was never touched

    emit browser().folderTree->openRequested(path("Leer"));
    ASSERT_TRUE(waitUntil([this] { return browser().fileCount->text() == count(0); }));
    browser().driveBox->addItem(path("weg"));
    browser().driveBox->setCurrentIndex(browser().driveBox->count() - 1);
    emit browser().driveBox->activated(browser().driveBox->currentIndex());
    ASSERT_TRUE(waitUntil([this] { return messages->shown.size() == 2; }));
    emit browser().folderTree->openRequested(path("weg"));
    ASSERT_TRUE(waitUntil([this] { return messages->shown.size() == 3; }));
    EXPECT_EQ(messages->told().mid(1),
              QStringList(2, "Fehler!: Kein Datenträger in diesem Laufwerk!"));
    EXPECT_EQ(browser().folderTree->path(), path("Leer"));
    EXPECT_EQ(browser().driveBox->currentText(), "/");
    EXPECT_EQ(browser().fileCount->text(), count(0));
}

TEST_F(FolderBrowserTest, ASlowFolderGivesWayToANewerChoice) {
    makeFiles("Langsam", {"l.mp3"});
    makeFiles("Schnell", {"s.mp3", "t.mp3"});
    listings->hold(path("Langsam"));
    start();
    program->settings().setStandardFolder(path("Langsam"));
    click("insertButton");
    ASSERT_TRUE(waitUntil([this] { return listings->waiting(path("Langsam")) == 1; }));

    emit browser().folderTree->openRequested(path("Schnell"));
    ASSERT_TRUE(browserShows("Schnell"));
    listings->release(path("Langsam"));
    ASSERT_TRUE(waitUntil([this] { return listings->waiting(path("Langsam")) == 0; }));
    runEventsFor(300);
    EXPECT_EQ(browser().folderTree->path(), path("Schnell"));
    EXPECT_EQ(browser().fileCount->text(), count(2));
}

// "Insert" hides the player's windows, the playlist menu disables them.
class FolderBrowserCommitTest : public FolderBrowserTest,
                                public ::testing::WithParamInterface<AddFolderFrom> {};

TEST_P(FolderBrowserCommitTest, AFolderAddedTwiceGivesItsFilesTwice) {
    makeFiles("A", {"y.mp3", "x.mp3"});
    start();
    program->settings().setStandardFolder(path("A"));
    addFolder(*program, GetParam());
    ASSERT_TRUE(browser().isVisible());
    ASSERT_TRUE(browserShows("A"));
    QWidget& before = pl();
    const bool fromMain = GetParam() == AddFolderFrom::MainWindow;
    for (const QWidget* window : {static_cast<QWidget*>(&mainWindow()), &before}) {
        EXPECT_EQ(window->isVisible(), !fromMain);
        EXPECT_EQ(window->isEnabled(), fromMain);
    }

    QTest::mouseClick(browser().addButton, Qt::LeftButton);
    QTest::mouseClick(browser().addButton, Qt::LeftButton);
    ASSERT_TRUE(browser().commitButton->isEnabled());

    QTest::keyClick(browser().commitButton, Qt::Key_Return);  // presses it, as in a dialog
    const QString a = path("A");
    EXPECT_EQ(readFile("folders.dat"), (a + "\r\n" + a + "\r\n").toLocal8Bit());
    EXPECT_FALSE(browser().isVisible());
    EXPECT_EQ(browser().folderList(), QStringList({a, a}));
    QWidget& after = pl();
    EXPECT_TRUE(mainWindow().isVisible() && after.isVisible() && mainWindow().isEnabled() &&
                after.isEnabled());
    EXPECT_EQ(after.height(), 368);  // still enlarged, as without settings
    EXPECT_EQ(mainWindow().playlistMark(), "1");
    ASSERT_TRUE(waitUntil([this] { return !program->scanPending(); }));
    EXPECT_EQ(shownLines(), QStringList({"x", "y", "x", "y"}));
}

INSTANTIATE_TEST_SUITE_P(Openers, FolderBrowserCommitTest,
                         ::testing::Values(AddFolderFrom::MainWindow,
                                           AddFolderFrom::PlaylistWindow));

TEST_F(FolderBrowserTest, DeleteTakesOnlyASelectedEntryAndAbbrechenRestoresTheSavedList) {
    makeFiles("A", {"a.mp3"});
    makeFiles("B", {"b.mp3"});
    writeFolders({"A"});
    start();
    ASSERT_TRUE(waitUntil([this] { return !program->scanPending(); }));
    program->settings().setStandardFolder(path("B"));
    click("insertButton");
    ASSERT_TRUE(browserShows("B"));
    QTest::mouseClick(browser().addButton, Qt::LeftButton);
    FolderListBox* list = browser().folderListBox;
    QTest::keyClick(list, Qt::Key_Delete);  // nothing selected
    list->setListIndex(0);
    QTest::keyClick(list, Qt::Key_Delete);
    QTest::keyClick(list, Qt::Key_Delete);
    ASSERT_EQ(browser().folderList(), QStringList({path("B")}));
    ASSERT_TRUE(browser().commitButton->isEnabled());
    list->setListIndex(0);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_FALSE(browser().commitButton->isEnabled());
    runEventsFor(150);  // nor does the 100 ms timer that keeps it in step enable it again
    EXPECT_FALSE(browser().commitButton->isEnabled());
    clickRow(browser().fileList, 0);

    QTest::keyClick(list, Qt::Key_Escape);  // as "Abbrechen"
    EXPECT_FALSE(browser().isVisible());
    EXPECT_EQ(browser().folderList(), QStringList({path("A")}));
    EXPECT_EQ(readFile("folders.dat"), (path("A") + "\r\n").toLocal8Bit());
    EXPECT_EQ(preview().file, "");
    EXPECT_TRUE(mainWindow().isVisible());
    EXPECT_TRUE(shownLines().isEmpty());  // cleared, and rebuilt by the scan
    ASSERT_TRUE(program->scanPending());
    ASSERT_TRUE(waitUntil([this] { return !program->scanPending(); }));
    EXPECT_EQ(shownLines(), QStringList({"a"}));
}

TEST_F(FolderBrowserTest, NamesShowAsWrittenADragPassesEntriesOneAtATimeSaveThenLoadKeepsThem) {
    start();
    browser().show();
    FolderListBox* list = browser().folderListBox;
    makeFiles("<i>kursiv &amp;", {});
    emit browser().folderTree->openRequested(folder.path());
    QList<QListWidgetItem*> found;
    ASSERT_TRUE(waitUntil([&] {
        found = browser().folderTree->findItems("<i>kursiv &amp;", Qt::MatchEndsWith);
        return found.size() == 1;
    }));
    EXPECT_EQ(shownText(found[0]->toolTip()), path("<i>kursiv &amp;"));

    // A very long entry shows cut, its record whole.
    browser().folderListBox->lines->setStringList({QString(60'000, 'x')});
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), QString(4096, 'x') + "…");
    EXPECT_EQ(browser().folderList()[0].size(), 60'000);

    // However fast the mouse goes, the pressed entry passes the others one at a time.
    browser().folderListBox->lines->setStringList({"a", "b", "c", "d", "e"});
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, centre(list, 0));
    QTest::mouseMove(list->viewport(), centre(list, 3));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre(list, 3));
    QTest::mouseMove(list->viewport(), centre(list, 4));  // released: changes nothing
    EXPECT_EQ(browser().folderList(), QStringList({"b", "c", "d", "a", "e"}));
    EXPECT_EQ(browser().folderListBox->listIndex(), 3);

    const QStringList records{"/Musik/Neu, Alt", "", "/Musik/Rock"};
    browser().folderListBox->lines->setStringList(records);
    model().fillPlaylist({{"t", "/Musik/Rock/t.mp3"}}, {1});
    QTest::mouseClick(browser().loadButton, Qt::LeftButton);  // cancelled
    EXPECT_EQ(browser().folderList(), records);
    dialog().chosenFile = folder.filePath("liste.mpc");
    QTest::mouseClick(browser().saveButton, Qt::LeftButton);
    const FakeFileDialog& d = dialog();
    EXPECT_EQ(d.initDir, folder.path());
    browser().folderListBox->lines->setStringList({});
    QTest::mouseClick(browser().loadButton, Qt::LeftButton);
    EXPECT_EQ(QStringList({d.dialogTitle, d.filter, d.initDir}),
              QStringList({"Playlist laden", "Playlist-Dateien (*.mpc)|*.mpc",
                           folder.path() + "/Playlist"}));
    EXPECT_EQ(browser().folderList(), records);
    EXPECT_TRUE(browser().commitButton->isEnabled());
    // The main player may still move on to the next entry while the browser is open.
    EXPECT_EQ(model().playlist().path(1), "/Musik/Rock/t.mp3");
    EXPECT_TRUE(messages->shown.empty());

    // A file that is no folder list is named, and the list kept.
    QDir(folder.path()).mkpath("ordner.mpc");
    writeFile("gross.mpc", QByteArray(1024 * 1024 + 1, 'x'));
    for (const char* name : {"ordner.mpc", "gross.mpc"}) {
        dialog().chosenFile = path(name);
        QTest::mouseClick(browser().loadButton, Qt::LeftButton);
        EXPECT_TRUE(messages->told().join('|').contains("Fehler: Die Datei \"" + path(name)));
    }
    EXPECT_EQ(messages->shown.size(), 2U);
    EXPECT_EQ(browser().folderList(), records);
}

// The answer decides what is saved and cleared: a save that did not happen keeps the list.
TEST_F(FolderBrowserTest, TheAnswerToClearDecidesWhatIsSavedAndCleared) {
    start();
    QTest::mouseClick(browser().clearButton, Qt::LeftButton);  // an empty list asks nothing
    EXPECT_TRUE(messages->shown.empty());
    const struct {
        Answer answer;
        const char* chosen;  // "": the save dialog is cancelled
        bool cleared;
    } cases[] = {{Answer::Yes, "vorher.mpc", true},
                 {Answer::Yes, "", false},
                 {Answer::No, "nein.mpc", true},
                 {Answer::Cancel, "abbruch.mpc", false}};
    for (const auto& c : cases) {
        browser().folderListBox->lines->setStringList({"/m", "/n"});
        messages->answers = {c.answer};
        dialog().chosenFile = *c.chosen != 0 ? path(c.chosen) : QString();
        dialog().initDir.clear();
        QTest::mouseClick(browser().clearButton, Qt::LeftButton);
        EXPECT_EQ(messages->told().last(),
                  "Meldung: Wollen sie die Verzeichnisse speichern bevor sie sie löschen ?");
        EXPECT_EQ(messages->shown.back().buttons, MessageBoxes::Buttons::YesNoCancel);
        EXPECT_EQ(browser().folderList().isEmpty(), c.cleared) << c.chosen;
        const bool yes = c.answer == Answer::Yes;
        EXPECT_EQ(dialog().initDir, yes ? folder.path() + "/Playlist" : "");
        EXPECT_EQ(readFile(c.chosen), yes && c.cleared ? QByteArray("/m\r\n/n\r\n") : "");
    }
    EXPECT_EQ(dialog().saves, 2);
}

// Latin-1 names and a trailing blank are listed, scanned and written back byte for byte.
TEST_F(FolderBrowserTest, NamesKeepTheirBytesThroughScanAndCommitUnlessTheyBreakALine) {
    const QByteArray root = QFile::encodeName(folder.path());
    const QByteArray latin1 = root + "/M\xf6tley";
    ASSERT_EQ(::mkdir(latin1.constData(), 0700), 0);
    // QTemporaryDir cannot see such names, and would leave them behind.
    const struct Removal {
        std::string folder;
        ~Removal() { std::filesystem::remove_all(folder); }
    } removal{latin1.toStdString()};
    ASSERT_EQ(
        ::close(::open(QByteArray(latin1 + "/Caf\xe9.mp3").constData(), O_CREAT | O_WRONLY, 0600)),
        0);
    makeFiles("Endet mit Leer ", {"leer.mp3"});
    makeFiles("A", {"a.mp3"});
    const QByteArray kept = latin1 + "\r\n" + root + "/Endet mit Leer \r\n";
    writeFile("folders.dat", kept + "  " + root + "/A  \r\n");
    start();
    ASSERT_TRUE(waitUntil([this] { return !program->scanPending(); }));
    EXPECT_EQ(shownLines(), QStringList({"Café", "leer", "a"}));
    const QByteArray played = encodeFileName(model().playlist().path(1));
    EXPECT_EQ(played, latin1 + "/Caf\xe9.mp3");
    EXPECT_EQ(::access(played.constData(), R_OK), 0);

    program->settings().setStandardFolder(folder.path());
    click("insertButton");
    QList<QListWidgetItem*> shown;
    ASSERT_TRUE(waitUntil([&] {
        shown = browser().folderTree->findItems("Mötley", Qt::MatchEndsWith);
        return shown.size() == 1;
    }));
    browser().folderTree->setCurrentItem(shown[0]);
    QTest::mouseClick(browser().addButton, Qt::LeftButton);
    QTest::mouseClick(browser().commitButton, Qt::LeftButton);
    EXPECT_EQ(readFile("folders.dat"), kept + root + "/A\r\n" + latin1 + "\r\n");

    // A folder with a line break in its name is not added.
    const QStringList before = browser().folderList();
    click("insertButton");
    for (const QString name : {"Zeilen\numbruch", "Wagen\rruecklauf"}) {
        makeFiles(name, {"z.mp3"});
        browser().presetFolder(path(name));
        ASSERT_TRUE(waitUntil([&] { return browser().folderTree->path() == path(name); }));
        QTest::mouseClick(browser().addButton, Qt::LeftButton);
    }
    EXPECT_EQ(browser().folderList(), before);
    ASSERT_EQ(messages->shown.size(), 2U);
    for (const auto& box : messages->shown) {
        EXPECT_EQ(box.title, "Fehler");
        EXPECT_TRUE(box.text.contains("Zeilenumbruch")) << box.text.toStdString();
    }
}

// The user hears once of a list cut at the limit, before a commit writes it back.
TEST_F(FolderBrowserTest, AListCutAtTheLimitIsSaidOnceBeforeItIsWrittenBack) {
    makeFiles("A", {"a.mp3"});
    const QByteArray tooLong = "\r\n" + QByteArray("/m\r\n").repeated(100000);
    writeFile("folders.dat", QFile::encodeName(path("A")) + tooLong);
    start();
    ASSERT_TRUE(waitUntil([this] { return !messages->shown.empty(); }));
    EXPECT_EQ(browser().folderList().size(), 100000);
    EXPECT_EQ(messages->shown[0].title, "Fehler");
    EXPECT_TRUE(messages->shown[0].text.contains(path("folders.dat") + "\" ist länger"));
    EXPECT_TRUE(messages->shown[0].text.contains("nach Zeile 100.000 abgeschnitten"));

    click("insertButton");
    QTest::mouseClick(browser().cancelButton, Qt::LeftButton);
    runEventsFor(50);
    EXPECT_EQ(messages->shown.size(), 1U);

    // A loaded list is cut and said the same way.
    click("insertButton");
    writeFile("lang.mpc", tooLong);
    dialog().chosenFile = path("lang.mpc");
    QTest::mouseClick(browser().loadButton, Qt::LeftButton);
    ASSERT_EQ(messages->shown.size(), 2U);
    EXPECT_TRUE(messages->shown[1].text.contains("lang.mpc\" ist länger"));
}

}  // namespace
