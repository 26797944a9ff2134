#include <QApplication>
#include <QKeyEvent>

#include "fakes/ProgramFixture.h"
#include "playlistwindow/TitleSearchWindow.h"

namespace {

const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);
using Answer = MessageBoxes::Answer;

class PlaylistWindowTest : public ProgramFixture {
protected:
    void SetUp() override {
        writeSettings({" 1 ", " 0 ", " 0 ", "", " 1 ", " 0 ", " 0 "});  // shown, normal size
        start();
        program->store.fill({{"a", "/m/a.mp3"}, {"b", "/m/b.mp3"}, {"c", "/m/c.mp3"}}, {2, 3, 1});
        browser().setFolderList({"/m", "/n, alt"});
        plaction(*program, "showpl");
    }
    QPoint lineCentre(int line) { return pl().List1->visualRect(pl().lines->index(line)).center(); }
};

TEST_F(PlaylistWindowTest, CountsItsLinesHideUnloadsShowRefillsInsertHidesAndSizes) {
    pl().Timer1_Timer();
    EXPECT_EQ(label("lblplaylist")->caption(), "Playlist mit 3 MP3");
    EXPECT_TRUE(waitUntil([this] { return pl().Timer1->isRunning(); }));
    EXPECT_EQ(pl().lines->data(pl().lines->index(1), Qt::ToolTipRole).toString(), "b");

    click("hidepl");
    EXPECT_FALSE(program->playlistLoaded());
    EXPECT_EQ(form1().playlistMark(), "0");
    EXPECT_EQ(flags({"showpl", "hidepl"}), "10");
    EXPECT_FALSE(control<QMenu>("mnuplaylist")->menuAction()->isEnabled());
    // The docking tick does not bring a hidden playlist back.
    timer("stayd")->setEnabled(true);
    QTest::qWait(50);
    EXPECT_FALSE(program->playlistLoaded());

    click("showpl");
    ASSERT_TRUE(program->playlistLoaded());
    EXPECT_TRUE(pl().isVisible());
    EXPECT_EQ(shownLines(), QStringList({"a", "b", "c"}));
    EXPECT_EQ(form1().playlistMark(), "1");

    click("Label7");
    EXPECT_TRUE(browser().isVisible());
    EXPECT_FALSE(form1().isVisible());
    EXPECT_FALSE(pl().isVisible());
    browser().close();
    EXPECT_TRUE(form1().isVisible());
    EXPECT_TRUE(pl().isVisible());

    click("Label2");
    EXPECT_EQ(pl().height(), 368);
    EXPECT_EQ(pl().List1->height(), 366);
    EXPECT_EQ(label("Label2")->caption(), "-");
    EXPECT_EQ(label("Label2")->foreColor(), kRed);
    // The enlarged state survives hiding and showing: it is kept in the label's colour.
    click("hidepl");
    click("showpl");
    EXPECT_EQ(pl().height(), 368);

    click("Label2");
    EXPECT_EQ(pl().height(), 186);
    EXPECT_EQ(label("Label2")->caption(), "+");
    EXPECT_EQ(label("Label2")->foreColor(), kWhite);

    // Between 3500 and 5500 twips nothing changes: 234 px are 3510 twips, 366 px 5490.
    for (const int height : {234, 366}) {
        pl().resize(pl().width(), height);
        click("Label2");
        EXPECT_EQ(pl().height(), height);
    }
}

TEST_F(PlaylistWindowTest, DeleteRemovesTheLineAndItsEntry) {
    QTest::keyClick(pl().List1, Qt::Key_Delete);
    ASSERT_EQ(messages->shown.size(), 1U);
    EXPECT_EQ(messages->shown[0].icon, MessageBoxes::Icon::Exclamation);

    pl().setListIndex(0);
    QTest::keyClick(pl().List1, Qt::Key_Delete);
    EXPECT_EQ(shownLines(), QStringList({"b", "c"}));
    EXPECT_EQ(program->store.count(), 2);
    QTest::keyClick(pl().List1, Qt::Key_Delete);
    EXPECT_EQ(shownLines(), QStringList({"b", "c"}));
    EXPECT_EQ(messages->told(), QStringList(2, "Fehler: Keine Datei selektiert!"));
    pl().setListIndex(1);
    QTest::keyClick(pl().List1, Qt::Key_Return);
    EXPECT_EQ(player().file, "/m/c.mp3");
    EXPECT_FALSE(timer("tmrPT")->isEnabled());  // Enter leaves the clock alone
    EXPECT_TRUE(item("mnupause")->isEnabled());
}

// F6 takes the keyboard from one window to the other, where Return plays the chosen line; F2
// opens the search from both.
TEST_F(PlaylistWindowTest, F6MovesTheFocusBetweenTheWindowsAndF2SearchesFromBoth) {
    const auto focused = [](QWidget* widget) {
        return waitUntil([widget] { return QApplication::focusWidget() == widget; });
    };
    pl().setListIndex(2);
    ASSERT_TRUE(activate(form1()));
    QTest::keyClick(&form1(), Qt::Key_F6);
    ASSERT_TRUE(focused(pl().List1));
    QTest::keyClick(pl().List1, Qt::Key_Up);
    QTest::keyClick(pl().List1, Qt::Key_Return);
    EXPECT_EQ(player().file, "/m/b.mp3");
    for (QWidget* window : {static_cast<QWidget*>(pl().List1), static_cast<QWidget*>(&form1())}) {
        QTest::keyClick(window, Qt::Key_F2);
        ASSERT_NE(program->searchIfLoaded(), nullptr);
        EXPECT_TRUE(program->searchIfLoaded()->isVisible());
        program->unloadSearch();
    }
    QTest::keyClick(pl().List1, Qt::Key_F6);
    EXPECT_TRUE(focused(&form1()));
    EXPECT_EQ(label("Label1")->toolTip(), "Sucht einen Eintrag in der Playlist (F2)");
}

TEST_F(PlaylistWindowTest, DoubleClickPlaysRightClickSelectsAndOpensTheMenuOnlyOverALine) {
    const QPoint where = lineCentre(2);
    QTest::mouseClick(pl().List1->viewport(), Qt::LeftButton, {}, where);
    QTest::mouseDClick(pl().List1->viewport(), Qt::LeftButton, {}, where);
    EXPECT_EQ(player().file, "/m/c.mp3");
    EXPECT_EQ(player().state, MediaPlayer::kPlaying);
    EXPECT_EQ(label("lbltracktitle")->caption(), "c");
    EXPECT_TRUE(timer("tmrPT")->isEnabled());
    EXPECT_EQ(program->mp3pos, 3);

    pl().List1_MouseDown(lineCentre(1));
    EXPECT_EQ(pl().listIndex(), 1);
    EXPECT_TRUE(waitUntil([this] { return pl().mnupopup1->isVisible(); }));
    pl().mnupopup1->close();

    pl().List1_MouseDown(QPoint(5, pl().List1->height() - 2));
    EXPECT_EQ(pl().listIndex(), 1);
    EXPECT_FALSE(pl().mnupopup1->isVisible());
    QStringList items;
    for (const QAction* a : pl().mnupopup1->actions()) {
        items << (a->isSeparator() ? "-" : a->text());
    }
    EXPECT_EQ(items, QStringList({"Track spielen", "Infos zum Track", "-", "Verzeichnis hinzufügen",
                                  "Alles Löschen"}));

    for (const QKeyCombination key :
         {QKeyCombination(Qt::SHIFT, Qt::Key_F10), QKeyCombination(Qt::Key_Menu)}) {
        pl().setListIndex(2);
        QKeyEvent press(QEvent::KeyPress, key.key(), key.keyboardModifiers());
        QApplication::sendEvent(pl().List1, &press);
        ASSERT_TRUE(waitUntil([this] { return pl().mnupopup1->isVisible(); }));
        const QRect line = pl().List1->visualRect(pl().lines->index(2));
        EXPECT_EQ(pl().mnupopup1->pos(), pl().List1->viewport()->mapToGlobal(line.bottomLeft()));
        pl().mnupopup1->close();
    }
}

TEST_F(PlaylistWindowTest, ClearAsksAndEmptiesOnlyTheDisplayedListAndSaveWritesTheFolders) {
    messages->answers = {Answer::Cancel};
    click("Label10");
    EXPECT_EQ(shownLines().size(), 3);

    form1().setLoadedFile("b");
    label("lbltracktitle")->setCaption("b");
    messages->answers = {Answer::No};
    click("Label10");
    EXPECT_TRUE(shownLines().isEmpty());
    EXPECT_EQ(label("lbltracktitle")->caption(), "b");
    ASSERT_EQ(messages->shown.size(), 2U);
    EXPECT_EQ(messages->shown[1].title, "Meldung");
    EXPECT_EQ(messages->shown[1].buttons, MessageBoxes::Buttons::YesNoCancel);

    click("Label10");
    EXPECT_EQ(messages->shown.size(), 2U);

    click("hidepl");
    click("showpl");
    EXPECT_EQ(shownLines().size(), 3);

    click("Label3");
    EXPECT_EQ(dialog().saves, 1);  // after none while clearing
    EXPECT_EQ(dialog().dialogTitle, "Playlist speichern");
    EXPECT_EQ(dialog().filter, "Playlist-Dateien |*.mpc");
    EXPECT_EQ(dialog().defaultExt, ".mpc");
    EXPECT_EQ(dialog().initDir, folder.path() + "/Playlist");
    EXPECT_EQ(QDir(folder.path()).entryList({"*.mpc"}, QDir::Files), QStringList());

    dialog().chosenFile = folder.filePath("liste.mpc");
    click("Label3");
    EXPECT_EQ(readFile("liste.mpc"), QByteArray("/m\r\n/n, alt\r\n"));

    // Saving before clearing starts beside the program.
    dialog().chosenFile = folder.filePath("gesichert.mpc");
    messages->answers = {Answer::Yes};
    pl().mnudeleteall1->trigger();
    EXPECT_EQ(dialog().initDir, folder.path());
    EXPECT_EQ(readFile("gesichert.mpc"), QByteArray("/m\r\n/n, alt\r\n"));
    EXPECT_TRUE(shownLines().isEmpty());

    const auto lastMessageNames = [this](const QString& path) {
        return !messages->shown.empty() && messages->shown.back().title == "Fehler" &&
               messages->shown.back().text.contains("\"" + path + "\"");
    };
    dialog().chosenFile = folder.filePath("fehlt/liste.mpc");
    click("Label3");
    EXPECT_TRUE(lastMessageNames(dialog().chosenFile));
    EXPECT_FALSE(QDir(folder.filePath("fehlt")).exists());

    // A folder in the place of the temporary file stops the write, even for root.
    dialog().chosenFile = folder.filePath("alt.mpc");
    writeFile("alt.mpc", "/alt\r\n");
    ASSERT_TRUE(QDir(folder.path()).mkdir("alt.mpc.bramble-tmp"));
    pl().fillFromStore();
    messages->answers = {Answer::Yes};
    pl().mnudeleteall1->trigger();
    EXPECT_TRUE(lastMessageNames(dialog().chosenFile));
    EXPECT_EQ(readFile("alt.mpc"), QByteArray("/alt\r\n"));
    EXPECT_TRUE(shownLines().isEmpty());
}

}  // namespace
