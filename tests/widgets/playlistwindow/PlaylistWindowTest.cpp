#include <QApplication>
#include <QKeyEvent>

#include "fakes/ProgramFixture.h"
#include "playlistwindow/TitleSearchWindow.h"

namespace {

using Answer = MessageBoxes::Answer;

class PlaylistWindowTest : public ProgramFixture {
protected:
    void SetUp() override {
        writeSettings({" 1 ", " 0 ", " 0 ", "", " 1 ", " 0 ", " 0 "});  // shown, normal size
        start();
        model().fillPlaylist({{"a", "/m/a.mp3"}, {"b", "/m/b.mp3"}, {"c", "/m/c.mp3"}}, {2, 3, 1});
        browser().folderListBox->lines->setStringList({"/m", "/n, alt"});
        showPlaylist(*program);
    }
    QPoint lineCentre(int line) {
        return pl().titleList->visualRect(pl().lines->index(line)).center();
    }
};

TEST_F(PlaylistWindowTest, CountsItsLinesHideUnloadsShowRefillsAndSizes) {
    EXPECT_EQ(label("playlistCountLabel")->caption(), "Playlist mit 3 MP3");

    click("hidePlaylistButton");
    EXPECT_FALSE(program->playlistLoaded());
    EXPECT_EQ(mainWindow().playlistMark(), "0");
    EXPECT_EQ(flags({"showPlaylistButton", "hidePlaylistButton"}), "10");

    click("showPlaylistButton");
    ASSERT_TRUE(program->playlistLoaded());
    EXPECT_TRUE(pl().isVisible());
    EXPECT_EQ(shownLines(), QStringList({"a", "b", "c"}));
    EXPECT_EQ(mainWindow().playlistMark(), "1");

    click("playlistSizeButton");
    EXPECT_EQ(pl().height(), 368);
    EXPECT_EQ(label("playlistSizeButton")->caption(), "-");
    // The enlarged state survives hiding and showing.
    click("hidePlaylistButton");
    click("showPlaylistButton");
    EXPECT_EQ(pl().height(), 368);

    click("playlistSizeButton");
    EXPECT_EQ(pl().height(), 186);
    EXPECT_EQ(label("playlistSizeButton")->caption(), "+");

    click("hidePlaylistButton");
    click("showPlaylistButton");
    EXPECT_EQ(pl().height(), 186);

    // Between 3500 and 5500 twips nothing changes: 366 px are 5490 twips.
    pl().resize(pl().width(), 366);
    click("playlistSizeButton");
    EXPECT_EQ(pl().height(), 366);
}

TEST_F(PlaylistWindowTest, DeleteRemovesTheLineAndItsEntry) {
    QTest::keyClick(pl().titleList, Qt::Key_Delete);
    ASSERT_EQ(messages->shown.size(), 1U);
    EXPECT_EQ(messages->shown[0].icon, MessageBoxes::Icon::Exclamation);

    pl().setListIndex(0);
    QTest::keyClick(pl().titleList, Qt::Key_Delete);
    EXPECT_EQ(shownLines(), QStringList({"b", "c"}));
    EXPECT_EQ(model().playlist().count(), 2);
    EXPECT_EQ(label("playlistCountLabel")->caption(), "Playlist mit 2 MP3");
    QTest::keyClick(pl().titleList, Qt::Key_Delete);
    EXPECT_EQ(shownLines(), QStringList({"b", "c"}));
    EXPECT_EQ(messages->told(), QStringList(2, "Fehler: Keine Datei selektiert!"));
    pl().setListIndex(1);
    QTest::keyClick(pl().titleList, Qt::Key_Return);
    EXPECT_EQ(player().file, "/m/c.mp3");
    EXPECT_FALSE(timer("positionTimer")->isEnabled());  // Enter leaves the clock alone
    EXPECT_TRUE(actions().pause.isEnabled());
}

// F6 takes the keyboard from one window to the other, where Return plays the chosen line; F2
// opens the search from both.
TEST_F(PlaylistWindowTest, F6MovesTheFocusBetweenTheWindowsAndF2SearchesFromBoth) {
    pl().setListIndex(2);
    ASSERT_TRUE(activate(mainWindow()));
    QTest::keyClick(&mainWindow(), Qt::Key_F6);
    ASSERT_TRUE(waitUntil([this] { return QApplication::focusWidget() == pl().titleList; }));
    QTest::keyClick(pl().titleList, Qt::Key_Up);
    QTest::keyClick(pl().titleList, Qt::Key_Return);
    EXPECT_EQ(player().file, "/m/b.mp3");
    for (QWidget* window :
         {static_cast<QWidget*>(pl().titleList), static_cast<QWidget*>(&mainWindow())}) {
        QTest::keyClick(window, Qt::Key_F2);
        ASSERT_NE(program->searchIfLoaded(), nullptr);
        EXPECT_TRUE(program->searchIfLoaded()->isVisible());
        emit program->searchIfLoaded()->unloadRequested();
    }
}

TEST_F(PlaylistWindowTest, DoubleClickPlaysRightClickSelectsAndOpensTheMenuOnlyOverALine) {
    const QPoint where = lineCentre(2);
    QTest::mouseClick(pl().titleList->viewport(), Qt::LeftButton, {}, where);
    QTest::mouseDClick(pl().titleList->viewport(), Qt::LeftButton, {}, where);
    EXPECT_EQ(player().file, "/m/c.mp3");
    EXPECT_EQ(player().state, MediaPlayer::kPlaying);
    EXPECT_EQ(label("titleMarquee")->caption(), "c");
    EXPECT_TRUE(timer("positionTimer")->isEnabled());
    EXPECT_EQ(model().step(), 3);

    pl().openContextMenuAt(lineCentre(1));
    EXPECT_EQ(pl().listIndex(), 1);
    EXPECT_TRUE(waitUntil([this] { return pl().contextMenu->isVisible(); }));
    pl().contextMenu->close();

    pl().openContextMenuAt(QPoint(5, pl().titleList->height() - 2));
    EXPECT_EQ(pl().listIndex(), 1);
    EXPECT_FALSE(pl().contextMenu->isVisible());
    QStringList items;
    for (const QAction* a : pl().contextMenu->actions()) {
        items << (a->isSeparator() ? "-" : a->text());
    }
    EXPECT_EQ(items, QStringList({"Track spielen", "Infos zum Track", "-", "Verzeichnis hinzufügen",
                                  "Alles Löschen"}));
}

TEST_F(PlaylistWindowTest, ClearAsksAndEmptiesOnlyTheDisplayedListAndSaveWritesTheFolders) {
    messages->answers = {Answer::Cancel};
    click("clearButton");
    EXPECT_EQ(shownLines().size(), 3);

    model().setLoadedFile("b");
    model().setTitle("b");
    messages->answers = {Answer::No};
    click("clearButton");
    EXPECT_TRUE(shownLines().isEmpty());
    EXPECT_EQ(label("titleMarquee")->caption(), "b");
    ASSERT_EQ(messages->shown.size(), 2U);
    EXPECT_EQ(messages->shown[1].title, "Meldung");
    EXPECT_EQ(messages->shown[1].buttons, MessageBoxes::Buttons::YesNoCancel);

    click("clearButton");
    EXPECT_EQ(messages->shown.size(), 2U);

    click("hidePlaylistButton");
    click("showPlaylistButton");
    EXPECT_EQ(shownLines().size(), 3);

    click("saveButton");
    EXPECT_EQ(dialog().saves, 1);  // after none while clearing
    EXPECT_EQ(
        QStringList({dialog().dialogTitle, dialog().filter, dialog().defaultExt, dialog().initDir}),
        QStringList({"Playlist speichern", "Playlist-Dateien |*.mpc", ".mpc",
                     folder.path() + "/Playlist"}));
    EXPECT_EQ(QDir(folder.path()).entryList({"*.mpc"}, QDir::Files), QStringList());

    dialog().chosenFile = folder.filePath("liste.mpc");
    click("saveButton");
    EXPECT_EQ(readFile("liste.mpc"), QByteArray("/m\r\n/n, alt\r\n"));

    // Saving before clearing starts beside the program.
    dialog().chosenFile = folder.filePath("gesichert.mpc");
    messages->answers = {Answer::Yes};
    actions().clear.trigger();
    EXPECT_EQ(dialog().initDir, folder.path());
    EXPECT_EQ(readFile("gesichert.mpc"), QByteArray("/m\r\n/n, alt\r\n"));
    EXPECT_TRUE(shownLines().isEmpty());

    const auto lastMessageNames = [this](const QString& path) {
        return !messages->shown.empty() && messages->shown.back().title == "Fehler" &&
               messages->shown.back().text.contains("\"" + path + "\"");
    };
    dialog().chosenFile = folder.filePath("fehlt/liste.mpc");
    click("saveButton");
    EXPECT_TRUE(lastMessageNames(dialog().chosenFile));
    EXPECT_FALSE(QDir(folder.filePath("fehlt")).exists());

    // A folder in the place of the temporary file stops the write, even for root.
    dialog().chosenFile = folder.filePath("alt.mpc");
    writeFile("alt.mpc", "/alt\r\n");
    ASSERT_TRUE(QDir(folder.path()).mkdir("alt.mpc.bramble-tmp"));
    pl().lines->setStringList(model().playlist().titles());
    messages->answers = {Answer::Yes};
    actions().clear.trigger();
    EXPECT_TRUE(lastMessageNames(dialog().chosenFile));
    EXPECT_EQ(readFile("alt.mpc"), QByteArray("/alt\r\n"));
    EXPECT_TRUE(shownLines().isEmpty());
}

}  // namespace
