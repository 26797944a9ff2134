#include "fakes/ProgramFixture.h"
#include "playlistwindow/TitleSearchWindow.h"
#include "widgets/AccessibleTree.h"

namespace {

class TitleSearchWindowTest : public ProgramFixture {
protected:
    void SetUp() override {
        writeSettings({" 1 ", " 0 ", " 0 ", "", " 1 ", " 0 ", " 0 "});
        start();
        model().fillPlaylist({{"Abba - SOS", "/m/sos.mp3"},
                              {"Best of Abba", "/m/best.mp3"},
                              {"Ärzte - Junge", "/m/junge.mp3"}},
                             {1, 2, 3});
        showPlaylist(*program);
        click("searchButton");
    }
    TitleSearchWindow& search() { return program->searchWindow(); }
    QStringList results() { return search().results->stringList(); }
    void choose(int result) {
        search().resultList->setCurrentIndex(search().results->index(result));
    }
    bool played() { return player().calls.contains("play"); }
};

TEST_F(TitleSearchWindowTest, OpensWithItsTextsAndRefillsOnEveryChange) {
    ASSERT_NE(program->searchIfLoaded(), nullptr);
    EXPECT_EQ(accessibleTree(search()), R"(Window MP3-Titel suchen 2,2 330x321
StaticText Bitte Liedtitel eingeben, welcher gesucht werden soll. 11,11 308x28
EditableText Liedtitel 11,45 308x22
StaticText TIPP: Wenn sie einen Titel suchen und er nicht gefunden wird, setzen sie noch ein * ganz am Anfang des Textfeldes! 11,73 308x42
StaticText Gefundene Titel 11,121 308x14
List Suchergebnisse 11,141 308x121
StaticText Wurden MP3's gefunden? 11,268 308x14
Button nur markieren 11,288 151x22
Button Schließen 168,288 151x22)");
    EXPECT_EQ(search().searchEdit->text(), "Liedtitel eingeben...");

    // Delete types no character, though X11 gives it one (DEL): it says nothing.
    search().searchEdit->clear();
    QTest::sendKeyEvent(QTest::Click, search().searchEdit, Qt::Key_Delete, QChar(0x7F), {});
    EXPECT_EQ(search().foundLabel->text(), "Wurden MP3's gefunden?");
    search().searchEdit->selectAll();
    QTest::keyClick(search().searchEdit, Qt::Key_Backspace);
    EXPECT_EQ(search().foundLabel->text(), "Keine MP3 gefunden. Andere Eingabe wählen");

    QTest::keyClicks(search().searchEdit, "*ABBA");
    EXPECT_EQ(results(), QStringList({"Abba - SOS", "Best of Abba"}));
    EXPECT_EQ(search().foundLabel->text(), "2 MP3 mit diesem Suchbegriff gefunden!");
    search().searchEdit->clear();
    EXPECT_TRUE(results().isEmpty());
    EXPECT_EQ(search().foundLabel->text(), "2 MP3 mit diesem Suchbegriff gefunden!");
    search().searchEdit->setText("Queen");
    EXPECT_EQ(search().foundLabel->text(), "Keine MP3 gefunden. Andere Eingabe wählen");

    click("hidePlaylistButton");
    search().searchEdit->setText("*");
    EXPECT_TRUE(results().isEmpty());
}

TEST_F(TitleSearchWindowTest, MarkSelectsWithoutPlayingDoubleClickPlaysCloseKeepsOrUnloads) {
    search().searchEdit->setText("*abba");
    QTest::mouseClick(search().markButton, Qt::LeftButton);  // nothing chosen: stays open
    EXPECT_EQ(program->searchIfLoaded(), &search());
    EXPECT_EQ(pl().listIndex(), -1);

    choose(1);
    mainWindow().setEnabled(false);
    QTest::mouseClick(search().markButton, Qt::LeftButton);
    EXPECT_EQ(pl().listIndex(), 1);
    EXPECT_FALSE(played());
    EXPECT_EQ(program->searchIfLoaded(), nullptr);
    EXPECT_TRUE(mainWindow().isEnabled());

    click("searchButton");
    search().searchEdit->setText("*abba");
    const QPoint where = search().resultList->visualRect(search().results->index(1)).center();
    QTest::mouseClick(search().resultList->viewport(), Qt::LeftButton, {}, where);
    QTest::mouseDClick(search().resultList->viewport(), Qt::LeftButton, {}, where);
    EXPECT_EQ(player().file, "/m/best.mp3");
    EXPECT_EQ(program->searchIfLoaded(), nullptr);

    // "Schließen" hides it with its text; the close box unloads it.
    click("searchButton");
    search().searchEdit->setText("*abba");
    QTest::mouseClick(search().closeButton, Qt::LeftButton);
    EXPECT_FALSE(search().isVisible());
    click("searchButton");
    EXPECT_EQ(results().size(), 2);
    pl().setEnabled(false);
    search().close();
    EXPECT_EQ(program->searchIfLoaded(), nullptr);
    EXPECT_TRUE(pl().isEnabled());
    click("searchButton");
    EXPECT_EQ(search().searchEdit->text(), "Liedtitel eingeben...");
}

// Results of an older playlist select and play nothing.
TEST_F(TitleSearchWindowTest, ResultsOfAnOlderPlaylistSelectAndPlayNothing) {
    for (const bool doubleClick : {false, true}) {
        showPlaylist(*program);
        click("searchButton");
        search().searchEdit->setText("*abba");
        choose(1);
        if (doubleClick) {
            pl().lines->setStringList({});
            search().takeChosen(true);
        } else {
            pl().lines->removeRows(0, 1);  // line 1 now shows "Ärzte - Junge"
            QTest::mouseClick(search().markButton, Qt::LeftButton);
        }
        EXPECT_EQ(pl().listIndex(), -1) << doubleClick;
        EXPECT_FALSE(played());
        EXPECT_TRUE(messages->shown.empty());
        EXPECT_EQ(program->searchIfLoaded(), nullptr);
        click("hidePlaylistButton");
    }
}

}  // namespace
