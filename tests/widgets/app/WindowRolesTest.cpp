#include <QTest>
#include <QWindow>

#include "fakes/ProgramFixture.h"
#include "folderbrowser/FolderChooser.h"
#include "help/HelpWindow.h"
#include "playlistwindow/TitleSearchWindow.h"
#include "playlistwindow/TrackInfoWindow.h"

namespace {

class WindowRolesTest : public ProgramFixture {
protected:
    bool broughtToFront(const QWidget& window) {
        return waitUntil([&] {
            return !windows->broughtToFront.empty() && windows->broughtToFront.back() == &window;
        });
    }

    // Every window a user can open, with the window a dialog must stay above (none: its own).
    std::vector<std::pair<QWidget*, QWidget*>> openEveryWindow() {
        model().fillPlaylist({{"Eins", "/m/1.mp3"}}, {1});
        pl().lines->setStringList(model().playlist().titles());
        pl().setListIndex(0);
        pl().trackInfoItem->trigger();
        click("searchButton");
        actions().help.trigger();
        click("optionsButton");
        opts().chooseFolderButton->click();
        std::vector<std::pair<QWidget*, QWidget*>> opened{
            {&mainWindow(), nullptr},
            {&pl(), nullptr},
            {program->trackInfoWindowIfLoaded(), &mainWindow()},
            {program->searchIfLoaded(), &mainWindow()},
            {program->helpIfLoaded(), &mainWindow()},
            {&opts(), &mainWindow()}};
        FolderChooser& chooser = *program->folderChooserIfLoaded();
        EXPECT_EQ(chooser.windowHandle()->transientParent(), opts().windowHandle());
        EXPECT_EQ(chooser.windowModality(), Qt::WindowModal);
        EXPECT_FALSE(windows->inTaskList(chooser));
        chooser.cancelButton->click();
        opts().cancelButton->click();
        click("insertButton");  // hides the main window
        opened.emplace_back(&browser(), &mainWindow());
        return opened;
    }
    // The main window is hidden by then: the dialogs shown for it stand in for it.
    void expectPlaces(const std::vector<std::pair<QWidget*, QWidget*>>& opened, bool mainListed) {
        for (const auto& [window, owner] : opened) {
            ASSERT_NE(window, nullptr);
            SCOPED_TRACE(window->objectName().toStdString());
            EXPECT_EQ(windows->inTaskList(*window),
                      mainListed && (window == &mainWindow() ||
                                     (owner == &mainWindow() && window->isVisible())));
            if (owner != nullptr) {
                EXPECT_EQ(window->windowHandle()->transientParent(), owner->windowHandle());
            }
        }
    }
};

TEST_F(WindowRolesTest, WhileTheIconExistsNoWindowHasATaskListEntry) {
    tray->hostRunning = true;
    start();
    expectPlaces(openEveryWindow(), false);
}

TEST_F(WindowRolesTest, WithoutTheIconOnlyTheMainWindowHasOneAndDialogsStayAboveTheirOwner) {
    start();
    const auto opened = openEveryWindow();
    expectPlaces(opened, true);
    browser().cancelButton->click();
    EXPECT_TRUE(windows->inTaskList(mainWindow()));
    EXPECT_FALSE(windows->inTaskList(*program->searchIfLoaded()));
}

// What brings the main window up brings the playlist window up with it: the desktop test
// watches that under real window managers.
TEST_F(WindowRolesTest, FocusGoesBackToTheWindowADialogWasOpenedOverAndAClickBringsTheDialogBack) {
    start();
    click("searchButton");
    TitleSearchWindow& search = *program->searchIfLoaded();
    ASSERT_TRUE(activate(pl()));  // the search stays above it
    EXPECT_EQ(windows->raised.back(), &search);
    ASSERT_TRUE(activate(search));
    search.close();  // the close box
    EXPECT_TRUE(broughtToFront(mainWindow()));

    // A click on the main window, which the options dialog holds, brings the dialog back up.
    click("optionsButton");
    ASSERT_FALSE(mainWindow().isEnabled());
    activate(mainWindow());
    EXPECT_TRUE(broughtToFront(opts()));
    // Qt asks for the focus for the clicked window itself, after that and with no activation
    // left to answer where the focus is already there: the press brings the dialog back too.
    windows->broughtToFront.clear();
    QTest::mouseClick(mainWindow().windowHandle(), Qt::LeftButton, {}, QPoint(200, 140));
    EXPECT_TRUE(broughtToFront(opts()));
}

}  // namespace
