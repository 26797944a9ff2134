#include <QAccessible>
#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

#include "fakes/ProgramFixture.h"
#include "fakes/ShownText.h"
#include "mainwindow/PositionBar.h"
#include "mainwindow/VolumeControl.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtTrayIcon.h"
#include "popup/TrackChangePopup.h"

namespace {

class PlaybackTest : public ProgramFixture {
protected:
    void SetUp() override {
        start();
        model().fillPlaylist({{"a", "/m/a.mp3"}, {"b", "/m/b.mp3"}, {"c", "/m/c.mp3"}}, {3, 1, 2});
        pl().lines->setStringList(model().playlist().titles());
    }
    QString playing() { return player().state == MediaPlayer::kPlaying ? player().file : "-"; }
};

TEST_F(PlaybackTest, PreviousAndNextWrapAroundInListOrderAndNothingToPlayPlaysNothing) {
    pl().playSelected(false);  // nothing selected
    EXPECT_EQ(messages->told(), QStringList({"Fehler: Keine Datei zum Abspielen gefunden!"}));
    EXPECT_EQ(messages->shown[0].icon, MessageBoxes::Icon::None);
    EXPECT_EQ(player().file, "");

    QStringList played;
    // Before anything played, previous lands on the second-to-last entry.
    for (const char* button :
         {"previousButton", "previousButton", "previousButton", "nextButton"}) {
        click(button);
        played << playing();
    }
    EXPECT_EQ(played, QStringList({"/m/b.mp3", "/m/a.mp3", "/m/c.mp3", "/m/a.mp3"}));
    EXPECT_EQ(label("titleMarquee")->caption(), "a");
    EXPECT_EQ(model().loadedFile(), "a");
    EXPECT_EQ(pl().listIndex(), 0);
    EXPECT_EQ(tray->tip, "a");
    EXPECT_TRUE(timer("positionTimer")->isEnabled());
    EXPECT_EQ(flags({"playButton", "stopButton"}), "11");

    model().fillPlaylist({}, {});
    click("nextButton");
    click("previousButton");
    EXPECT_EQ(playing(), "-");
    EXPECT_EQ(label("titleMarquee")->caption(), "Keine Datei geladen");
    EXPECT_EQ(messages->told().size(), 1);
}

TEST_F(PlaybackTest, ShufflePassesRepeatTheDrawnOrderAndPlaySelectedContinuesInIt) {
    // What a screen reader reads of "Shuffle" and "Normal": checkable, and checked where red.
    const auto checks = [this] {
        QString digits;
        for (const char* name : {"shuffleButton", "normalOrderButton"}) {
            const QAccessible::State state =
                QAccessible::queryAccessibleInterface(label(name))->state();
            digits += QString::number(state.checkable) + QString::number(state.checked);
        }
        return digits;
    };
    EXPECT_EQ(checks(), "1011");
    click("shuffleButton");
    EXPECT_TRUE(model().shuffle());
    EXPECT_EQ(checks(), "1110");
    QStringList played;
    for (int i = 0; i < 4; ++i) {
        click("nextButton");
        played << playing();
    }
    EXPECT_EQ(played, QStringList({"/m/c.mp3", "/m/a.mp3", "/m/b.mp3", "/m/c.mp3"}));
    // Back to normal order: the position is kept, the next step reads it in list order.
    click("normalOrderButton");
    EXPECT_FALSE(model().shuffle());
    click("nextButton");
    EXPECT_EQ(playing(), "/m/b.mp3");  // shuffle step 2 would be entry 1

    // Choosing the active order again falls back to list order, leaving the marks alone.
    actions().shuffleOrder.trigger();
    EXPECT_TRUE(model().shuffle());
    EXPECT_FALSE(actions().normalOrder.isChecked());
    actions().shuffleOrder.trigger();
    EXPECT_FALSE(model().shuffle());
    EXPECT_EQ(checks(), "1010");
    EXPECT_TRUE(actions().shuffleOrder.isChecked());
    actions().normalOrder.trigger();
    EXPECT_EQ(checks(), "1011");
    EXPECT_FALSE(actions().shuffleOrder.isChecked());

    // Play selected, then next continues from that position in shuffle order.
    click("shuffleButton");
    pl().setListIndex(0);
    pl().playSelected(false);
    EXPECT_EQ(playing(), "/m/a.mp3");
    EXPECT_EQ(model().step(), 1);
    click("nextButton");
    EXPECT_EQ(playing(), "/m/a.mp3");  // order(2) = 1
    click("nextButton");
    EXPECT_EQ(playing(), "/m/b.mp3");  // order(3) = 2
}

TEST_F(PlaybackTest, EndOfFileAdvancesAndQueuesTheNextFilePauseTogglesAndStopRewinds) {
    click("nextButton");
    EXPECT_EQ(player().next, "/m/b.mp3");
    player().finish();
    EXPECT_EQ(playing(), "/m/b.mp3");
    EXPECT_EQ(player().next, "/m/c.mp3");
    player().finish();
    player().finish();
    EXPECT_EQ(playing(), "/m/a.mp3");
    click("shuffleButton");
    EXPECT_EQ(player().next, "/m/a.mp3");  // step 2 of the shuffle order is entry 1

    // Pause toggles while the tray shows it paused; stop rewinds.
    click("pauseButton");
    EXPECT_NE(player().state, MediaPlayer::kPlaying);
    EXPECT_FALSE(actions().pause.isEnabled());
    EXPECT_TRUE(actions().resume.isEnabled());
    click("pauseButton");  // the tray still shows it paused
    EXPECT_EQ(player().state, MediaPlayer::kPlaying);
    click("pauseButton");
    actions().resume.trigger();
    EXPECT_EQ(player().state, MediaPlayer::kPlaying);
    EXPECT_TRUE(actions().pause.isEnabled());
    EXPECT_FALSE(actions().resume.isEnabled());
    actions().pause.trigger();
    EXPECT_NE(player().state, MediaPlayer::kPlaying);
    actions().resume.trigger();

    player().position = 12;
    click("stopButton");
    EXPECT_NE(player().state, MediaPlayer::kPlaying);
    EXPECT_EQ(player().position, 0);
    EXPECT_EQ(player().file, "/m/a.mp3");
    EXPECT_FALSE(actions().pause.isEnabled());
    EXPECT_TRUE(actions().resume.isEnabled());
}

TEST_F(PlaybackTest, CtrlMLoadsTheChosenFileAndOpenPlaysIt) {
    program->settings().setStandardFolder("/music");
    dialog().chosenFile = "/music/Leise.mp3";
    ASSERT_TRUE(activate(mainWindow()));
    QTest::keyClick(&mainWindow(), Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(dialog().initDir, "/music");
    EXPECT_EQ(dialog().filter, "MP3 - Dateien (*.mp3)|*.mp3");
    EXPECT_EQ(player().file, "/music/Leise.mp3");
    EXPECT_EQ(playing(), "-");
    EXPECT_EQ(label("titleMarquee")->caption(), "Leise.mp3");
    EXPECT_EQ(flags({"nextButton", "previousButton", "stopButton"}), "001");

    // "Open" with a cancelled dialog starts what the player already holds.
    dialog().chosenFile.clear();
    click("openButton");
    EXPECT_EQ(playing(), "/music/Leise.mp3");

    dialog().chosenFile = "/music/Einzeln.mp3";
    click("openButton");
    EXPECT_EQ(playing(), "/music/Einzeln.mp3");
    EXPECT_EQ(model().loadedFile(), "/music/Einzeln.mp3");
    EXPECT_EQ(model().step(), 0);
}

// A label's press action is its click; a name is shown exactly as named wherever it appears.
TEST_F(PlaybackTest, PressActionsClickEnabledLabelsAndNamesShowAsWritten) {
    const auto press = [](SkinLabel* label) {
        QAccessibleActionInterface* action =
            QAccessible::queryAccessibleInterface(label)->actionInterface();
        ASSERT_NE(action, nullptr);
        ASSERT_TRUE(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
        action->doAction(QAccessibleActionInterface::pressAction());
    };
    press(label("nextButton"));
    EXPECT_EQ(playing(), "/m/a.mp3");
    EXPECT_EQ(label("nextButton")->foreColor(), QColor(0, 255, 0));  // no pressed look left behind
    press(label("stopButton"));
    EXPECT_EQ(playing(), "-");
    label("playButton")->setEnabled(false);
    press(label("playButton"));  // a disabled label takes no press
    EXPECT_EQ(playing(), "-");

    // Nothing of a name is read as markup.
    QtTrayIcon trayIcon;
    QtMessageBoxes boxes;
    const QString name = "06 <b>Fett <i>schraeg &lt;3 <img src=\"/etc/x.png\">Bild";
    model().fillPlaylist({{name, "/m/n.mp3"}}, {1});
    pl().lines->setStringList(model().playlist().titles());
    click("nextButton");
    EXPECT_EQ(shownText(*label("titleMarquee")), name);
    EXPECT_EQ(shownText(*program->popup().titleLabel), name);
    const QModelIndex line = pl().lines->index(0);
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

// The player's keys act like the controls, in the list where it has no use for them.
TEST_F(PlaybackTest, KeysActLikeTheControlsInTheMainWindowAndWhereTheListLeavesThem) {
    player().length = 200;
    program->settings().setVolume(16384);  // 50 %
    QSignalSpy jumps(&mainWindow().position(), &PositionBar::jumped);
    const auto summary = [this] {
        static const QStringList kStates{"stopped", "paused", "playing"};
        return QStringLiteral("%1 %2 %3s vol%4 mixer%5%6 line%7 %8")
            .arg(player().file.isEmpty() ? "-" : QFileInfo(player().file).baseName(),
                 kStates.value(player().state))
            .arg(player().position)
            .arg(std::get<2>(readOut(label("volumeThumb"))))  // the level a screen reader tells
            .arg(mixer->writesTo(FakeMixer::kSpeakers).back())
            .arg(player().muted ? " muted" : "")
            .arg(pl().listIndex())
            .arg(label("clock")->caption());
    };
    struct Row {
        bool inList;
        QKeyCombination key;
        const char* after;
    };
    using K = QKeyCombination;
    const Row rows[] = {
        // Nothing loaded: play and pause are disabled, next is not.
        {false, K(Qt::Key_Space), "- stopped 0s vol50 mixer32768 line-1 0:00 / 0:00"},
        {false, K(Qt::CTRL, Qt::Key_Right), "a playing 0s vol50 mixer32768 line0 0:00 / 0:00"},
        {true, K(Qt::Key_Right), "a playing 5s vol50 mixer32768 line0 0:05 / 3:20"},
        {false, K(Qt::Key_Left), "a playing 0s vol50 mixer32768 line0 0:00 / 3:20"},
        {false, K(Qt::Key_Space), "a paused 0s vol50 mixer32768 line0 0:00 / 3:20"},
        {true, K(Qt::Key_MediaPlay), "a playing 0s vol50 mixer32768 line0 0:00 / 3:20"},
        {false, K(Qt::Key_MediaPause), "a paused 0s vol50 mixer32768 line0 0:00 / 3:20"},
        {false, K(Qt::Key_MediaPause), "a paused 0s vol50 mixer32768 line0 0:00 / 3:20"},
        {true, K(Qt::Key_MediaTogglePlayPause), "a playing 0s vol50 mixer32768 line0 0:00 / 3:20"},
        {false, K(Qt::Key_MediaPlay), "a paused 0s vol50 mixer32768 line0 0:00 / 3:20"},
        {true, K(Qt::CTRL, Qt::Key_Right), "b playing 0s vol50 mixer32768 line1 0:00 / 3:20"},
        {false, K(Qt::Key_MediaPrevious), "a playing 0s vol50 mixer32768 line0 0:00 / 3:20"},
        {true, K(Qt::Key_MediaNext), "b playing 0s vol50 mixer32768 line1 0:00 / 3:20"},
        {false, K(Qt::CTRL, Qt::Key_Left), "a playing 0s vol50 mixer32768 line0 0:00 / 3:20"},
        {false, K(Qt::Key_Up), "a playing 0s vol55 mixer36020 line0 0:00 / 3:20"},
        {true, K(Qt::Key_VolumeDown), "a playing 0s vol50 mixer32768 line0 0:00 / 3:20"},
        {false, K(Qt::Key_Down), "a playing 0s vol45 mixer29516 line0 0:00 / 3:20"},
        {true, K(Qt::Key_VolumeUp), "a playing 0s vol50 mixer32768 line0 0:00 / 3:20"},
        {false, K(Qt::Key_M), "a playing 0s vol50 mixer32768 muted line0 0:00 / 3:20"},
        {true, K(Qt::Key_VolumeMute), "a playing 0s vol50 mixer32768 line0 0:00 / 3:20"},
        // The list's own keys stay its own, even where they move nothing.
        {true, K(Qt::Key_Space), "a playing 0s vol50 mixer32768 line0 0:00 / 3:20"},
        {true, K(Qt::Key_Down), "a playing 0s vol50 mixer32768 line1 0:00 / 3:20"},
        {false, K(Qt::Key_MediaStop), "a stopped 0s vol50 mixer32768 line1 0:00 / 3:20"},
    };
    for (const Row& row : rows) {
        QWidget* target = row.inList ? static_cast<QWidget*>(pl().titleList)
                                     : static_cast<QWidget*>(&mainWindow());
        // As the keyboard sends it; QTest knows no media keys.
        const Qt::Key key = row.key.key();
        const QString text = key < 0x7f ? QString(QChar(key)).toLower() : QString();
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, row.key.keyboardModifiers(), text);
            QApplication::sendEvent(target, &event);
        }
        EXPECT_EQ(summary(), row.after) << (row.inList ? "list " : "main window ")
                                        << QKeySequence(row.key).toString().toStdString();
    }
    ASSERT_EQ(jumps.size(), 2);
    EXPECT_EQ(jumps.at(0).at(0).toDouble(), 5);
    EXPECT_EQ(jumps.at(1).at(0).toDouble(), 0);
}

}  // namespace
