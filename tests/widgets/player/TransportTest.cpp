#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "fakes/ProgramFixture.h"
#include "fakes/ShownText.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtTrayIcon.h"
#include "player/Form1.h"
#include "player/Transport.h"
#include "playlist/playlist.h"
#include "windows/quickinfo.h"

namespace {

const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);

class TransportTest : public ProgramFixture {
protected:
    void SetUp() override {
        start();
        program->store.fill({{"a", "/m/a.mp3"}, {"b", "/m/b.mp3"}, {"c", "/m/c.mp3"}}, {3, 1, 2});
        program->playlistWindow().fillFromStore();
    }
    Form1& form() { return program->form1(); }
    Transport& transport() { return form().transport(); }
    FakePlayer& player() { return *players.at(0); }  // MediaPlayer1
    FakeFileDialog& dialog() { return *dialogs.at(0); }
    void click(SkinLabel* label) { QTest::mouseClick(label, Qt::LeftButton); }
    QString playing() { return player().state == MediaPlayer::kPlaying ? player().file : "-"; }
};

TEST_F(TransportTest, PreviousAndNextWrapAroundInListOrderAndShowTheTrack) {
    QSignalSpy tips(&transport(), &Transport::trayTipChanged);
    QStringList played;
    // Before anything played, previous lands on the second-to-last entry.
    for (SkinLabel* button : {form().btnprev, form().btnprev, form().btnprev, form().btnnext}) {
        click(button);
        played << playing();
    }
    EXPECT_EQ(played, QStringList({"/m/b.mp3", "/m/a.mp3", "/m/c.mp3", "/m/a.mp3"}));
    EXPECT_EQ(form().lbltracktitle->caption(), "a");
    EXPECT_EQ(form().file, "a");
    EXPECT_EQ(program->playlistWindow().listIndex(), 0);
    EXPECT_EQ(tips.count(), 4);
    EXPECT_EQ(tips.last().at(0).toString(), "a");
    EXPECT_TRUE(form().tmrPT->isEnabled());
    EXPECT_TRUE(form().btnplay->isEnabled());
    EXPECT_TRUE(form().btnstop->isEnabled());
}

TEST_F(TransportTest, ShufflePassesRepeatTheDrawnOrder) {
    click(form().Label4);
    EXPECT_TRUE(program->shufflemode);
    EXPECT_EQ(form().Label4->backColor(), kRed);
    EXPECT_EQ(form().Label12->backColor(), kWhite);
    EXPECT_TRUE(form().playshuffle->isChecked());
    EXPECT_FALSE(form().playnormal->isChecked());
    QStringList played;
    for (int i = 0; i < 4; ++i) {
        click(form().btnnext);
        played << playing();
    }
    EXPECT_EQ(played, QStringList({"/m/c.mp3", "/m/a.mp3", "/m/b.mp3", "/m/c.mp3"}));
    // Back to normal order: the position is kept, the next step reads it in list order.
    click(form().Label12);
    EXPECT_FALSE(program->shufflemode);
    click(form().btnnext);
    EXPECT_EQ(playing(), "/m/b.mp3");  // shuffle step 2 would be entry 1
}

TEST_F(TransportTest, PlaySelectedThenNextContinuesFromThatPositionInShuffleOrder) {
    click(form().Label4);
    program->playlistWindow().setListIndex(0);
    transport().playselected();
    EXPECT_EQ(playing(), "/m/a.mp3");
    EXPECT_EQ(program->mp3pos, 1);
    click(form().btnnext);
    EXPECT_EQ(playing(), "/m/a.mp3");  // order(2) = 1
    click(form().btnnext);
    EXPECT_EQ(playing(), "/m/b.mp3");  // order(3) = 2
}

TEST_F(TransportTest, EndOfFileAdvancesAndQueuesTheFollowingFile) {
    click(form().btnnext);
    EXPECT_EQ(player().next, "/m/b.mp3");
    player().finish();
    EXPECT_EQ(playing(), "/m/b.mp3");
    EXPECT_EQ(player().next, "/m/c.mp3");
    player().finish();
    player().finish();
    EXPECT_EQ(playing(), "/m/a.mp3");
    // Switching the order changes which file follows.
    click(form().Label4);
    EXPECT_EQ(player().next, "/m/a.mp3");  // step 2 of the shuffle order is entry 1
}

TEST_F(TransportTest, NothingToPlayPlaysNothing) {
    // Without a selection, playing the selected line complains.
    transport().playselected();
    ASSERT_EQ(messages->shown.size(), 1U);
    EXPECT_EQ(messages->shown[0].text, "Keine Datei zum Abspielen gefunden!");
    EXPECT_EQ(messages->shown[0].icon, MessageBoxes::Icon::None);
    EXPECT_EQ(player().file, "");

    // An empty store only says so in the title.
    program->store.fill({}, {});
    click(form().btnnext);
    click(form().btnprev);
    EXPECT_EQ(playing(), "-");
    EXPECT_EQ(form().lbltracktitle->caption(), "Keine Datei geladen");
    EXPECT_EQ(messages->shown.size(), 1U);
}

TEST_F(TransportTest, PauseTogglesWhileTheTrayShowsPaused) {
    click(form().btnnext);
    click(form().btnpause);
    EXPECT_NE(player().state, MediaPlayer::kPlaying);
    EXPECT_FALSE(form().mnupause->isEnabled());
    EXPECT_TRUE(form().mnuplayagain->isEnabled());
    click(form().btnpause);
    EXPECT_EQ(player().state, MediaPlayer::kPlaying);

    // The tray offers only what the items say: "Wiedergeben", then "Pause".
    click(form().btnpause);
    form().mnupause->trigger();
    EXPECT_NE(player().state, MediaPlayer::kPlaying);
    form().mnuplayagain->trigger();
    EXPECT_EQ(player().state, MediaPlayer::kPlaying);
    EXPECT_TRUE(form().mnupause->isEnabled());
    EXPECT_FALSE(form().mnuplayagain->isEnabled());
    form().mnupause->trigger();
    EXPECT_NE(player().state, MediaPlayer::kPlaying);
    EXPECT_TRUE(form().mnuplayagain->isEnabled());

    // Stop rewinds, keeps the file, and the tray offers "Wiedergeben" again.
    form().mnuplayagain->trigger();
    player().position = 12;
    click(form().btnstop);
    EXPECT_NE(player().state, MediaPlayer::kPlaying);
    EXPECT_EQ(player().position, 0);
    EXPECT_EQ(player().file, "/m/a.mp3");
    EXPECT_FALSE(form().mnupause->isEnabled());
    EXPECT_TRUE(form().mnuplayagain->isEnabled());
}

TEST_F(TransportTest, CtrlMLoadsTheChosenFileAndOpenPlaysIt) {
    form().pathopt = "/music";
    dialog().chosenFile = "/music/Leise.mp3";
    form().load_mp3->trigger();
    EXPECT_EQ(dialog().initDir, "/music");
    EXPECT_EQ(dialog().filter, "MP3 - Dateien (*.mp3)|*.mp3");
    EXPECT_EQ(player().file, "/music/Leise.mp3");
    EXPECT_EQ(playing(), "-");
    EXPECT_EQ(form().lbltracktitle->caption(), "Leise.mp3");
    // A single file locks the list buttons.
    EXPECT_FALSE(form().btnnext->isEnabled());
    EXPECT_FALSE(form().btnprev->isEnabled());
    EXPECT_TRUE(form().btnstop->isEnabled());

    // "Open" with a cancelled dialog starts what the player already holds.
    dialog().chosenFile.clear();
    click(form().Label11);
    EXPECT_EQ(playing(), "/music/Leise.mp3");

    dialog().chosenFile = "/music/Einzeln.mp3";
    click(form().Label11);
    EXPECT_EQ(playing(), "/music/Einzeln.mp3");
    EXPECT_EQ(form().file, "/music/Einzeln.mp3");
    EXPECT_EQ(program->mp3pos, 0);
}

TEST_F(TransportTest, TrayOrderItemsFollowTheirOwnRules) {
    form().playshuffle->trigger();
    EXPECT_TRUE(program->shufflemode);
    EXPECT_TRUE(form().playshuffle->isChecked());
    EXPECT_FALSE(form().playnormal->isChecked());
    // Choosing the active order again whitens its label and falls back to list order,
    // leaving the marks alone.
    form().playshuffle->trigger();
    EXPECT_FALSE(program->shufflemode);
    EXPECT_EQ(form().Label4->backColor(), kWhite);
    EXPECT_EQ(form().Label12->backColor(), kWhite);
    EXPECT_TRUE(form().playshuffle->isChecked());

    form().playnormal->trigger();
    EXPECT_EQ(form().Label12->backColor(), kRed);
    EXPECT_TRUE(form().playnormal->isChecked());
    EXPECT_FALSE(form().playshuffle->isChecked());
}

TEST_F(TransportTest, LongTitleStartsTheMarqueeAtTheTrackChange) {
    program->store.fill({{QString(70, 'W'), "/m/w.mp3"}}, {1});
    click(form().btnnext);
    EXPECT_TRUE(form().lbltracktitle->caption().endsWith("       ---        "));
    EXPECT_TRUE(form().tmrlaufschrift->isRunning());
}

// A name is shown exactly as named wherever it appears: nothing of it is read as markup.
TEST_F(TransportTest, NamesShowAsWrittenInEveryPlace) {
    QtTrayIcon trayIcon;
    QtMessageBoxes boxes;
    for (const QString name :
         {"06 <b>Fett <i>schraeg", "07 Tom &lt;3 Jerry", "<img src=\"/etc/x.png\">Bild"}) {
        SCOPED_TRACE(name.toStdString());
        program->store.fill({{name, "/m/n.mp3"}}, {1});
        program->playlistWindow().fillFromStore();
        click(form().btnnext);
        EXPECT_EQ(shownText(*form().lbltracktitle), name);
        EXPECT_EQ(shownText(*program->quickinfoWindow().quicki), name);
        const QModelIndex line = program->playlistWindow().lines->index(0);
        EXPECT_EQ(shownText(line.data(Qt::ToolTipRole).toString()), name);
        trayIcon.setTip(name);
        EXPECT_EQ(shownText(trayIcon.shownTip()), name);
        QString boxText;
        QTimer::singleShot(0, [&boxText] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxText = shownText(box->text(), box->textFormat());
                box->close();
            }
        });
        boxes.show(name, "Fehler", MessageBoxes::Buttons::Ok, MessageBoxes::Icon::None);
        EXPECT_EQ(boxText, name);
    }
}

// A screen reader finds the clickable labels as push buttons named by their tooltips; pressing
// one does what a click does. Labels that take no click stay text.
TEST_F(TransportTest, ClickableLabelsAreAccessiblePushButtons) {
    const auto described = [](QWidget* w) {
        const QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        return std::pair(a->role(), a->text(QAccessible::Name).toStdString());
    };
    using A = QAccessible;
    EXPECT_EQ(described(form().btnnext), std::pair(A::Button, std::string("Nächster Track")));
    EXPECT_EQ(described(form().Label5),
              std::pair(A::Button, std::string("Programmoptionen aufrufen")));
    EXPECT_EQ(described(form().muting), std::pair(A::Button, std::string("Ton ausschalten")));
    EXPECT_EQ(described(form().Label14), std::pair(A::StaticText, std::string("?")));  // no action
    EXPECT_EQ(described(form().Label15), std::pair(A::StaticText, std::string("v. 1.0")));
    EXPECT_NE(described(form().lblbar).first, A::Button);  // says nothing of itself

    const auto press = [](SkinLabel* label) {
        QAccessibleActionInterface* action =
            QAccessible::queryAccessibleInterface(label)->actionInterface();
        ASSERT_NE(action, nullptr);
        ASSERT_TRUE(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
        action->doAction(QAccessibleActionInterface::pressAction());
    };
    press(form().btnnext);
    EXPECT_EQ(playing(), "/m/a.mp3");
    EXPECT_EQ(form().btnnext->foreColor(), QColor(0, 255, 0));  // no pressed look left behind
    press(form().btnstop);
    EXPECT_EQ(playing(), "-");
    form().btnplay->setEnabled(false);
    press(form().btnplay);  // a disabled label takes no press
    EXPECT_EQ(playing(), "-");
}

}  // namespace
