#include <QApplication>

#include "fakes/ProgramFixture.h"
#include "playlistwindow/TitleSearchWindow.h"

namespace {

class OptionsTest : public ProgramFixture {
protected:
    bool playerWindowsEnabled() { return form1().isEnabled() && pl().isEnabled(); }
    std::vector<QRect> layout() {
        std::vector<QRect> places{opts().rect()};
        for (const QWidget* w : opts().findChildren<QWidget*>()) {
            places.emplace_back(w->mapTo(&opts(), QPoint(0, 0)), w->size());
        }
        return places;
    }
};

TEST_F(OptionsTest, ApplyWritesTheFileShowsTheNoteAndEachBoxFollowsTheBoxItDependsOn) {
    start();
    click("Label5");
    EXPECT_EQ(opts().pos(), QPoint((1280 - opts().width()) / 2, (1024 - opts().height()) / 2));
    EXPECT_TRUE(opts().Command4->isEnabled());
    EXPECT_EQ(opts().minimumSize(), opts().maximumSize());  // fixed size
    const std::vector<QRect> designed = layout();
    opts().optending->click();
    opts().estfolder->setText("/musik/ä, b");
    opts().Command4->click();
    EXPECT_EQ(layout(), designed);
    EXPECT_EQ(readFile("settings.cfg"),
              QByteArray(" 1 \r\n 1 \r\n 1 \r\n/musik/ä, b\r\n 1 \r\n 0 \r\n 0 \r\n"));
    EXPECT_EQ(form1().standardFolder(), "/musik/ä, b");
    EXPECT_FALSE(opts().Command4->isEnabled());
    EXPECT_TRUE(opts().Label3->isVisible());
    EXPECT_TRUE(opts().isVisible());
    EXPECT_FALSE(playerWindowsEnabled());
    EXPECT_TRUE(opts().Timer1->isRunning());
    EXPECT_EQ(opts().Timer1->interval(), 5000);
    emit opts().Timer1->timeout();
    EXPECT_FALSE(opts().Label3->isVisible());
    EXPECT_FALSE(opts().Timer1->isEnabled());
    EXPECT_EQ(layout(), designed);

    // Each box follows the box it depends on, both ways.
    for (auto [parent, child] : {std::pair{opts().optshowpl, opts().optexppl},
                                 std::pair{opts().qinfo, opts().alwaysshow}}) {
        SCOPED_TRACE(child->text().toStdString());
        child->setChecked(true);
        opts().Command4->click();
        parent->click();
        EXPECT_FALSE(child->isChecked());
        EXPECT_FALSE(child->isEnabled());
        EXPECT_TRUE(opts().Command4->isEnabled());
        parent->click();  // available again, but its check is not restored
        EXPECT_TRUE(child->isEnabled());
        EXPECT_FALSE(child->isChecked());
    }
}

TEST_F(OptionsTest, EveryOpenerRereadsTheFileEveryExitFreesThePlayerAndHoldsNest) {
    // Line 3 cannot be used: it is passed over and the lines after it still count.
    writeSettings({" 1 ", " 1 ", " x ", "/musik", " 1 ", " 1 ", " 16000 "});
    start();
    // Each closing gives the focus back to the control that had it at the opening, marked;
    // never to the first of the Tab order, "Minimieren", whose Space would hide the player.
    struct Opener {
        std::function<void()> open;
        QWidget* focus;
    };
    SkinLabel* button = label("Label5");
    const std::vector<Opener> openers{
        {[button] { QTest::keyClick(button, Qt::Key_Return); }, button},
        {[this] { item("optionen")->trigger(); }, &form1()},
        {[this] { item("mnuoptions")->trigger(); }, &form1()},
        {[this] { QTest::keyClick(pl().List1, Qt::Key_F3); }, pl().List1},
    };
    for (std::size_t i = 0; i < openers.size(); ++i) {
        SCOPED_TRACE(i);
        opts().optending->setChecked(true);
        opts().estfolder->setText("/anders");
        opts().alwaysshow->setChecked(false);
        control<VolumeHolder>("setVolume")->setValue(100);
        ASSERT_TRUE(activate(*openers[i].focus->window()));
        openers[i].focus->setFocus(Qt::TabFocusReason);
        openers[i].open();
        EXPECT_TRUE(opts().isVisible());
        EXPECT_FALSE(playerWindowsEnabled());
        EXPECT_TRUE(opts().optending->isChecked());
        EXPECT_EQ(opts().estfolder->text(), "/musik");
        EXPECT_TRUE(opts().alwaysshow->isChecked());
        EXPECT_EQ(form1().volumeSetting().value(), 16000);
        EXPECT_EQ(label("imgVol")->x(), 381);
        ASSERT_TRUE(activate(opts()));
        QTest::keyClick(&opts(), Qt::Key_Escape);
        EXPECT_FALSE(opts().isVisible());
        EXPECT_TRUE(playerWindowsEnabled());
        EXPECT_TRUE(waitUntil([&] { return QApplication::focusWidget() == openers[i].focus; }));
        EXPECT_TRUE(openers[i].focus != button || button->showsFocusMark());
    }

    // The player's windows come back only when no window holds them any more.
    program->store.fill({{"a", "/m/a.mp3"}}, {1});
    pl().fillFromStore();
    const std::vector<std::function<void(frmsearch&)>> searchClosers{
        [](frmsearch& s) { s.close(); },
        [](frmsearch& s) { s.Command1->click(); },
        [](frmsearch& s) { s.List2_DblClick(); },
    };
    for (std::size_t i = 0; i < searchClosers.size(); ++i) {
        SCOPED_TRACE(i);
        click("Label1");
        frmsearch& search = program->searchWindow();
        search.Text1->setText("a");
        search.List2->setCurrentIndex(search.results->index(0));
        click("Label5");
        searchClosers[i](search);
        EXPECT_FALSE(playerWindowsEnabled());
        opts().Command2->click();
        EXPECT_TRUE(playerWindowsEnabled());
    }

    frmopen& browser = this->browser();
    pl().mnuinsert1->trigger();
    item("mnuoptions")->trigger();
    opts().Command1->click();
    EXPECT_FALSE(playerWindowsEnabled());
    browser.Command2->click();
    EXPECT_TRUE(playerWindowsEnabled());

    // The other way round; the playlist window the commit makes anew is held as well.
    pl().mnuinsert1->trigger();
    item("mnuoptions")->trigger();
    browser.setFolderList({folder.path()});
    browser.Command1->click();
    EXPECT_FALSE(browser.isVisible());
    EXPECT_FALSE(playerWindowsEnabled());
    opts().Command2->click();
    EXPECT_TRUE(playerWindowsEnabled());
}

TEST_F(OptionsTest, CancelKeepsTheUncheckedConfirmationLiveAndOkSavesATypedFolder) {
    writeSettings({" 1 ", " 1 ", " 1 ", "", " 1 ", " 0 ", " 0 "});
    const QByteArray before = readFile("settings.cfg");
    start();
    click("Label5");
    opts().optending->click();
    opts().Command2->click();
    EXPECT_FALSE(opts().isVisible());
    EXPECT_TRUE(playerWindowsEnabled());
    EXPECT_EQ(readFile("settings.cfg"), before);

    click("Label9");
    EXPECT_EQ(processEnds, 1);
    EXPECT_TRUE(messages->shown.empty());

    click("Label5");
    opts().Command4->click();
    opts().estfolder->clear();
    QTest::keyClicks(opts().estfolder, "/neu");
    EXPECT_FALSE(opts().Command4->isEnabled());         // typing does not count
    QTest::keyClick(opts().estfolder, Qt::Key_Return);  // presses no button
    EXPECT_TRUE(opts().isVisible());
    QTest::keyClick(opts().Command1, Qt::Key_Return);
    EXPECT_EQ(form1().standardFolder(), "/neu");
    EXPECT_EQ(readFile("settings.cfg"),
              QByteArray(" 1 \r\n 1 \r\n 1 \r\n/neu\r\n 1 \r\n 0 \r\n 0 \r\n"));
    EXPECT_FALSE(opts().isVisible());
    EXPECT_TRUE(playerWindowsEnabled());
}

TEST_F(OptionsTest, UnwritableFileIsReportedAndKeptWhole) {
    writeSettings({" 1 ", " 1 ", " 0 ", "/alt", " 1 ", " 0 ", " 0 "});
    const QByteArray before = readFile("settings.cfg");
    // A folder in the place of the writer's temporary file stops the write, even for root.
    ASSERT_TRUE(QDir(folder.path()).mkdir("settings.cfg.bramble-tmp"));
    start();
    click("Label5");
    opts().estfolder->setText("/neu");
    for (QPushButton* button : {opts().Command4, opts().Command1}) {
        messages->shown.clear();
        button->click();
        ASSERT_EQ(messages->shown.size(), 1U);
        EXPECT_EQ(messages->shown[0].title, "Fehler");
        EXPECT_TRUE(messages->shown[0].text.contains(program->settingsPath()));
        EXPECT_EQ(readFile("settings.cfg"), before);
        EXPECT_EQ(form1().standardFolder(), "/neu");
    }
    EXPECT_FALSE(opts().isVisible());
    EXPECT_TRUE(playerWindowsEnabled());
}

}  // namespace
