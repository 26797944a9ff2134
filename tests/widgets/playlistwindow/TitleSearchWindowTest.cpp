#include "fakes/ProgramFixture.h"
#include "playlistwindow/TitleSearchWindow.h"

namespace {

class SearchWindowTest : public ProgramFixture {
protected:
    void SetUp() override {
        writeSettings({" 1 ", " 0 ", " 0 ", "", " 1 ", " 0 ", " 0 "});
        start();
        program->store.fill({{"Abba - SOS", "/m/sos.mp3"},
                             {"Best of Abba", "/m/best.mp3"},
                             {"Ärzte - Junge", "/m/junge.mp3"}},
                            {1, 2, 3});
        plaction(*program, "showpl");
        click("Label1");
    }
    frmsearch& search() { return program->searchWindow(); }
    QStringList results() { return search().results->stringList(); }
    void choose(int result) { search().List2->setCurrentIndex(search().results->index(result)); }
    bool played() { return player().calls.contains("play"); }
};

TEST_F(SearchWindowTest, OpensWithItsTextsAndRefillsOnEveryChange) {
    ASSERT_NE(program->searchIfLoaded(), nullptr);
    EXPECT_TRUE(search().isVisible());
    EXPECT_EQ(search().size(), QSize(330, 321));
    EXPECT_EQ(
        QStringList({search().windowTitle(), search().Text1->text(), search().Label2->text(),
                     search().found->text(), search().Command1->text(),
                     search().Command1->toolTip(), search().Command2->text()}),
        QStringList({"MP3-Titel suchen", "Liedtitel eingeben...", "Gefundene Titel",
                     "Wurden MP3's gefunden?", "nur markieren",
                     "Markiert nur den gewünschten Titel und schließt das Fenster", "Schließen"}));

    // Delete types no character, though X11 gives it one (DEL): it says nothing.
    search().Text1->clear();
    QTest::sendKeyEvent(QTest::Click, search().Text1, Qt::Key_Delete, QChar(0x7F), {});
    EXPECT_EQ(search().found->text(), "Wurden MP3's gefunden?");
    search().Text1->selectAll();
    QTest::keyClick(search().Text1, Qt::Key_Backspace);
    EXPECT_EQ(search().found->text(), frmsearch::kNothingFound);

    QTest::keyClicks(search().Text1, "*ABBA");
    EXPECT_EQ(results(), QStringList({"Abba - SOS", "Best of Abba"}));
    EXPECT_EQ(search().Codlist, std::vector<int>({0, 1}));
    EXPECT_EQ(search().found->text(), "2 MP3 mit diesem Suchbegriff gefunden!");
    EXPECT_EQ(search().results->data(search().results->index(1), Qt::ToolTipRole), "Best of Abba");

    search().Text1->clear();
    EXPECT_TRUE(results().isEmpty());
    EXPECT_TRUE(search().Codlist.empty());
    EXPECT_EQ(search().found->text(), "2 MP3 mit diesem Suchbegriff gefunden!");

    search().Text1->setText("Queen");
    EXPECT_TRUE(results().isEmpty());
    EXPECT_EQ(search().found->text(), frmsearch::kNothingFound);

    click("hidepl");
    search().Text1->setText("*");
    EXPECT_TRUE(results().isEmpty());
}

TEST_F(SearchWindowTest, MarkSelectsWithoutPlayingDoubleClickPlaysCloseKeepsOrUnloads) {
    search().Text1->setText("*abba");
    QTest::mouseClick(search().Command1, Qt::LeftButton);  // nothing chosen: stays open
    EXPECT_EQ(program->searchIfLoaded(), &search());
    EXPECT_EQ(pl().listIndex(), -1);

    choose(1);
    form1().setEnabled(false);
    QTest::mouseClick(search().Command1, Qt::LeftButton);
    EXPECT_EQ(pl().listIndex(), 1);
    EXPECT_FALSE(played());
    EXPECT_EQ(program->searchIfLoaded(), nullptr);
    EXPECT_TRUE(form1().isEnabled());

    click("Label1");
    search().Text1->setText("*abba");
    const QPoint where = search().List2->visualRect(search().results->index(1)).center();
    QTest::mouseClick(search().List2->viewport(), Qt::LeftButton, {}, where);
    QTest::mouseDClick(search().List2->viewport(), Qt::LeftButton, {}, where);
    EXPECT_EQ(pl().listIndex(), 1);
    EXPECT_EQ(player().file, "/m/best.mp3");
    EXPECT_EQ(program->searchIfLoaded(), nullptr);

    click("Label1");
    search().Text1->setText("*abba");
    QTest::mouseClick(search().Command2, Qt::LeftButton);
    EXPECT_FALSE(search().isVisible());
    click("Label1");
    EXPECT_TRUE(search().isVisible());
    EXPECT_EQ(search().Text1->text(), "*abba");
    EXPECT_EQ(results().size(), 2);

    form1().setEnabled(false);
    pl().setEnabled(false);
    search().close();
    EXPECT_EQ(program->searchIfLoaded(), nullptr);
    EXPECT_TRUE(form1().isEnabled());
    EXPECT_TRUE(pl().isEnabled());
    click("Label1");
    EXPECT_EQ(search().Text1->text(), "Liedtitel eingeben...");

    // The keyboard alone: Escape and Return on "Schließen" hide it as the button does; Down
    // goes from the text to the first result, Return plays that as the double-click does.
    QTest::keyClick(search().Text1, Qt::Key_Escape);
    EXPECT_FALSE(search().isVisible());
    click("Label1");
    QTest::keyClick(search().Command2, Qt::Key_Return);
    EXPECT_FALSE(search().isVisible());
    click("Label1");
    search().Text1->setText("abba");
    QTest::keyClick(search().Text1, Qt::Key_Down);
    EXPECT_EQ(search().List2->currentIndex().row(), 0);
    QTest::keyClick(search().List2, Qt::Key_Return);
    EXPECT_EQ(player().file, "/m/sos.mp3");
    EXPECT_EQ(program->searchIfLoaded(), nullptr);
}

// Results of an older playlist select and play nothing.
TEST_F(SearchWindowTest, ResultsOfAnOlderPlaylistSelectAndPlayNothing) {
    for (const auto& [doubleClick, shorter] : {std::pair{false, false}, std::pair{true, true}}) {
        plaction(*program, "showpl");
        click("Label1");
        search().Text1->setText("*abba");
        choose(1);
        if (shorter) {
            pl().clearList();
        } else {
            pl().removeLine(0);  // line 1 now shows "Ärzte - Junge"
        }
        if (doubleClick) {
            search().List2_DblClick();
        } else {
            QTest::mouseClick(search().Command1, Qt::LeftButton);
        }
        EXPECT_EQ(pl().listIndex(), -1) << doubleClick << shorter;
        EXPECT_FALSE(played());
        EXPECT_TRUE(messages->shown.empty());
        EXPECT_EQ(program->searchIfLoaded(), nullptr);
        click("hidepl");
    }
}

}  // namespace
