#include <QApplication>

#include "fakes/ProgramFixture.h"
#include "playlistwindow/TitleSearchWindow.h"

namespace {

class OptionsDialogTest : public ProgramFixture {
protected:
    bool playerWindowsEnabled() { return mainWindow().isEnabled() && pl().isEnabled(); }
};

TEST_F(OptionsDialogTest, ApplyWritesTheFileShowsTheNoteAndEachBoxFollowsTheBoxItDependsOn) {
    start();
    click("optionsButton");
    EXPECT_TRUE(opts().applyButton->isEnabled());
    opts().confirmExitBox->click();
    opts().standardFolderEdit->setText("/musik/ä, b");
    opts().applyButton->click();
    EXPECT_EQ(readFile("settings.cfg"),
              QByteArray(" 1 \r\n 1 \r\n 1 \r\n/musik/ä, b\r\n 1 \r\n 0 \r\n 0 \r\n"));
    EXPECT_EQ(program->settings().standardFolder(), "/musik/ä, b");
    EXPECT_FALSE(opts().applyButton->isEnabled());
    EXPECT_TRUE(opts().changedNote->isVisible());
    EXPECT_TRUE(opts().isVisible());
    EXPECT_FALSE(playerWindowsEnabled());
    emit opts().noteTimer->timeout();
    EXPECT_FALSE(opts().changedNote->isVisible());
    EXPECT_FALSE(opts().noteTimer->isEnabled());

    // Each box follows the box it depends on, both ways.
    for (auto [parent, child] : {std::pair{opts().showPlaylistBox, opts().enlargePlaylistBox},
                                 std::pair{opts().popupBox, opts().keepPopupBox}}) {
        SCOPED_TRACE(child->text().toStdString());
        child->setChecked(true);
        opts().applyButton->click();
        parent->click();
        EXPECT_FALSE(child->isChecked());
        EXPECT_FALSE(child->isEnabled());
        EXPECT_TRUE(opts().applyButton->isEnabled());
        parent->click();  // available again, but its check is not restored
        EXPECT_TRUE(child->isEnabled());
        EXPECT_FALSE(child->isChecked());
    }
}

TEST_F(OptionsDialogTest, EveryOpenerRereadsTheFileEveryExitFreesThePlayerAndHoldsNest) {
    // Line 3 cannot be used: it is passed over and the lines after it still count.
    writeSettings({" 1 ", " 1 ", " x ", "/musik", " 1 ", " 1 ", " 16000 "});
    start();
    // Closing gives the focus back to the control that had it at the opening, marked; never to
    // the first of the Tab order, "Minimieren", whose Space would hide the player.
    SkinLabel* button = label("optionsButton");
    SettingsModel& settings = program->settings();
    settings.set(SettingsModel::ConfirmExit, true);
    settings.setEditedFolder("/anders");
    settings.set(SettingsModel::KeepPopupOpen, false);
    settings.setVolume(100);
    ASSERT_TRUE(activate(mainWindow()));
    button->setFocus(Qt::TabFocusReason);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_FALSE(playerWindowsEnabled());
    EXPECT_TRUE(opts().confirmExitBox->isChecked());
    EXPECT_EQ(opts().standardFolderEdit->text(), "/musik");
    EXPECT_TRUE(opts().keepPopupBox->isChecked());
    EXPECT_EQ(settings.volume(), 16000);
    EXPECT_EQ(label("volumeThumb")->x(), 381);
    ASSERT_TRUE(activate(opts()));
    QTest::keyClick(&opts(), Qt::Key_Escape);
    EXPECT_FALSE(opts().isVisible());
    EXPECT_TRUE(playerWindowsEnabled());
    EXPECT_TRUE(waitUntil([&] { return QApplication::focusWidget() == button; }));
    EXPECT_TRUE(button->showsFocusMark());
    // F3 opens it from the playlist window as well, rereading the file again.
    settings.setVolume(100);
    QTest::keyClick(pl().titleList, Qt::Key_F3);
    EXPECT_EQ(settings.volume(), 16000);
    opts().cancelButton->click();

    // The player's windows come back only when no window holds them any more.
    model().fillPlaylist({{"a", "/m/a.mp3"}}, {1});
    pl().lines->setStringList(model().playlist().titles());
    click("searchButton");
    TitleSearchWindow& search = program->searchWindow();
    search.searchEdit->setText("a");
    search.resultList->setCurrentIndex(search.results->index(0));
    click("optionsButton");
    search.takeChosen(true);  // plays the line and closes
    EXPECT_FALSE(playerWindowsEnabled());
    opts().cancelButton->click();
    EXPECT_TRUE(playerWindowsEnabled());

    FolderBrowser& browser = this->browser();
    pl().addFolderItem->trigger();
    actions().options.trigger();
    opts().okButton->click();
    EXPECT_FALSE(playerWindowsEnabled());
    browser.cancelButton->click();
    EXPECT_TRUE(playerWindowsEnabled());

    // The other way round; the playlist window the commit makes anew is held as well.
    pl().addFolderItem->trigger();
    actions().options.trigger();
    browser.folderListBox->lines->setStringList({folder.path()});
    browser.commitButton->click();
    EXPECT_FALSE(browser.isVisible());
    EXPECT_FALSE(playerWindowsEnabled());
    opts().cancelButton->click();
    EXPECT_TRUE(playerWindowsEnabled());
}

TEST_F(OptionsDialogTest, CancelKeepsTheUncheckedConfirmationLiveAndOkSavesATypedFolder) {
    writeSettings({" 1 ", " 1 ", " 1 ", "", " 1 ", " 0 ", " 0 "});
    const QByteArray before = readFile("settings.cfg");
    start();
    click("optionsButton");
    opts().confirmExitBox->click();
    opts().cancelButton->click();
    EXPECT_FALSE(opts().isVisible());
    EXPECT_TRUE(playerWindowsEnabled());
    EXPECT_EQ(readFile("settings.cfg"), before);

    click("closeButton");
    EXPECT_EQ(processEnds, 1);
    EXPECT_TRUE(messages->shown.empty());

    click("optionsButton");
    opts().applyButton->click();
    opts().standardFolderEdit->clear();
    QTest::keyClicks(opts().standardFolderEdit, "/neu");
    EXPECT_FALSE(opts().applyButton->isEnabled());               // typing does not count
    QTest::keyClick(opts().standardFolderEdit, Qt::Key_Return);  // presses no button
    EXPECT_TRUE(opts().isVisible());
    QTest::keyClick(opts().okButton, Qt::Key_Return);
    EXPECT_EQ(program->settings().standardFolder(), "/neu");
    EXPECT_EQ(readFile("settings.cfg"),
              QByteArray(" 1 \r\n 1 \r\n 1 \r\n/neu\r\n 1 \r\n 0 \r\n 0 \r\n"));
    EXPECT_FALSE(opts().isVisible());
    EXPECT_TRUE(playerWindowsEnabled());
}

TEST_F(OptionsDialogTest, UnwritableFileIsReportedAndKeptWhole) {
    writeSettings({" 1 ", " 1 ", " 0 ", "/alt", " 1 ", " 0 ", " 0 "});
    const QByteArray before = readFile("settings.cfg");
    // A folder in the place of the writer's temporary file stops the write, even for root.
    ASSERT_TRUE(QDir(folder.path()).mkdir("settings.cfg.bramble-tmp"));
    start();
    click("optionsButton");
    opts().standardFolderEdit->setText("/neu");
    for (QPushButton* button : {opts().applyButton, opts().okButton}) {
        messages->shown.clear();
        button->click();
        ASSERT_EQ(messages->shown.size(), 1U);
        EXPECT_EQ(messages->shown[0].title, "Fehler");
        EXPECT_TRUE(messages->shown[0].text.contains(program->settings().path()));
        EXPECT_EQ(readFile("settings.cfg"), before);
        EXPECT_EQ(program->settings().standardFolder(), "/neu");
    }
    EXPECT_FALSE(opts().isVisible());
    EXPECT_TRUE(playerWindowsEnabled());
}

}  // namespace
