#include "fakes/ProgramFixture.h"
#include "playlistwindow/TitleSearchWindow.h"

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
    EXPECT_TRUE(search().isVisible());
    EXPECT_EQ(search().size(), QSize(330, 321));
    EXPECT_EQ(
        QStringList({search().windowTitle(), search().searchEdit->text(),
                     search().resultsLabel->text(), search().foundLabel->text(),
                     search().markButton->text(), search().markButton->toolTip(),
                     search().closeButton->text()}),
        QStringList({"MP3-Titel suchen", "Liedtitel eingeben...", "Gefundene Titel",
                     "Wurden MP3's gefunden?", "nur markieren",
                     "Markiert nur den gewünschten Titel und schließt das Fenster", "Schließen"}));

    // Delete types no character, though X11 gives it one (DEL): it says nothing.
    search().searchEdit->clear();
    QTest::sendKeyEvent(QTest::Click, search().searchEdit, Qt::Key_Delete, QChar(0x7F), {});
    EXPECT_EQ(search().foundLabel->text(), "Wurden MP3's gefunden?");
    search().searchEdit->selectAll();
    QTest::keyClick(search().searchEdit, Qt::Key_Backspace);
    EXPECT_EQ(search().foundLabel->text(), TitleSearchWindow::kNothingFound);

    QTest::keyClicks(search().searchEdit, "*ABBA");
    EXPECT_EQ(results(), QStringList({"Abba - SOS", "Best of Abba"}));
    EXPECT_EQ(search().resultLines, std::vector<int>({0, 1}));
    EXPECT_EQ(search().foundLabel->text(), "2 MP3 mit diesem Suchbegriff gefunden!");
    EXPECT_EQ(search().results->data(search().results->index(1), Qt::ToolTipRole), "Best of Abba");

    search().searchEdit->clear();
    EXPECT_TRUE(results().isEmpty());
    EXPECT_TRUE(search().resultLines.empty());
    EXPECT_EQ(search().foundLabel->text(), "2 MP3 mit diesem Suchbegriff gefunden!");

    search().searchEdit->setText("Queen");
    EXPECT_TRUE(results().isEmpty());
    EXPECT_EQ(search().foundLabel->text(), TitleSearchWindow::kNothingFound);

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
    EXPECT_EQ(pl().listIndex(), 1);
    EXPECT_EQ(player().file, "/m/best.mp3");
    EXPECT_EQ(program->searchIfLoaded(), nullptr);

    click("searchButton");
    search().searchEdit->setText("*abba");
    QTest::mouseClick(search().closeButton, Qt::LeftButton);
    EXPECT_FALSE(search().isVisible());
    click("searchButton");
    EXPECT_TRUE(search().isVisible());
    EXPECT_EQ(search().searchEdit->text(), "*abba");
    EXPECT_EQ(results().size(), 2);

    mainWindow().setEnabled(false);
    pl().setEnabled(false);
    search().close();
    EXPECT_EQ(program->searchIfLoaded(), nullptr);
    EXPECT_TRUE(mainWindow().isEnabled());
    EXPECT_TRUE(pl().isEnabled());
    click("searchButton");
    EXPECT_EQ(search().searchEdit->text(), "Liedtitel eingeben...");

    // The keyboard alone: Escape and Return on "Schließen" hide it as the button does; Down
    // goes from the text to the first result, Return plays that as the double-click does.
    QTest::keyClick(search().searchEdit, Qt::Key_Escape);
    EXPECT_FALSE(search().isVisible());
    click("searchButton");
    QTest::keyClick(search().closeButton, Qt::Key_Return);
    EXPECT_FALSE(search().isVisible());
    click("searchButton");
    search().searchEdit->setText("abba");
    QTest::keyClick(search().searchEdit, Qt::Key_Down);
    EXPECT_EQ(search().resultList->currentIndex().row(), 0);
    QTest::keyClick(search().resultList, Qt::Key_Return);
    EXPECT_EQ(player().file, "/m/sos.mp3");
    EXPECT_EQ(program->searchIfLoaded(), nullptr);
}

// Results of an older playlist select and play nothing.
TEST_F(TitleSearchWindowTest, ResultsOfAnOlderPlaylistSelectAndPlayNothing) {
    for (const auto& [doubleClick, shorter] : {std::pair{false, false}, std::pair{true, true}}) {
        showPlaylist(*program);
        click("searchButton");
        search().searchEdit->setText("*abba");
        choose(1);
        if (shorter) {
            pl().clearList();
        } else {
            pl().lines->removeRows(0, 1);  // line 1 now shows "Ärzte - Junge"
        }
        if (doubleClick) {
            search().playChosen();
        } else {
            QTest::mouseClick(search().markButton, Qt::LeftButton);
        }
        EXPECT_EQ(pl().listIndex(), -1) << doubleClick << shorter;
        EXPECT_FALSE(played());
        EXPECT_TRUE(messages->shown.empty());
        EXPECT_EQ(program->searchIfLoaded(), nullptr);
        click("hidePlaylistButton");
    }
}

}  // namespace
