#include <QMessageBox>
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
        program->store.fill({{"Eins", "/m/1.mp3"}}, {1});
        pl().fillFromStore();
        pl().setListIndex(0);
        pl().mnutrackinfo->trigger();
        click("Label1");
        item("mnuhelp")->trigger();
        click("Label5");
        opts().Command3->click();
        std::vector<std::pair<QWidget*, QWidget*>> opened{{&form1(), nullptr},
                                                          {&pl(), nullptr},
                                                          {program->dateiinfoIfLoaded(), &form1()},
                                                          {program->searchIfLoaded(), &form1()},
                                                          {program->helpIfLoaded(), &form1()},
                                                          {&opts(), &form1()}};
        frmdir& chooser = *program->frmdirIfLoaded();
        EXPECT_EQ(chooser.windowHandle()->transientParent(), opts().windowHandle());
        EXPECT_EQ(chooser.windowModality(), Qt::WindowModal);
        EXPECT_FALSE(windows->inTaskList(chooser));
        chooser.Command2->click();
        opts().Command2->click();
        click("Label7");  // hides the main window
        opened.emplace_back(&browser(), &form1());
        return opened;
    }
    // The main window is hidden by then: the dialogs shown for it stand in for it.
    void expectPlaces(const std::vector<std::pair<QWidget*, QWidget*>>& opened, bool mainListed) {
        for (const auto& [window, owner] : opened) {
            ASSERT_NE(window, nullptr);
            SCOPED_TRACE(window->objectName().toStdString());
            EXPECT_EQ(
                windows->inTaskList(*window),
                mainListed && (window == &form1() || (owner == &form1() && window->isVisible())));
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
    browser().Command2->click();
    EXPECT_TRUE(windows->inTaskList(form1()));
    EXPECT_FALSE(windows->inTaskList(*program->searchIfLoaded()));
}

TEST_F(WindowRolesTest, FocusGoesBackToTheWindowADialogWasOpenedOverAndAClickBringsTheDialogBack) {
    start();
    EXPECT_TRUE(broughtToFront(form1()));  // at start-up
    // Whatever activates the main window brings the playlist window up with it.
    ASSERT_TRUE(activate(pl()));
    windows->raised.clear();
    ASSERT_TRUE(activate(form1()));
    EXPECT_EQ(windows->raised, std::vector<const QWidget*>{&pl()});

    click("Label1");
    frmsearch& search = *program->searchIfLoaded();
    ASSERT_TRUE(activate(pl()));  // the search stays above it
    EXPECT_EQ(windows->raised.back(), &search);
    ASSERT_TRUE(activate(search));
    search.close();  // the close box
    EXPECT_TRUE(broughtToFront(form1()));

    click("Label5");
    ASSERT_TRUE(activate(opts()));
    opts().Command3->click();
    ASSERT_TRUE(activate(*program->frmdirIfLoaded()));
    program->frmdirIfLoaded()->Command2->click();
    EXPECT_TRUE(broughtToFront(opts()));
    opts().Command2->click();
    EXPECT_TRUE(broughtToFront(form1()));

    QMessageBox question(QMessageBox::NoIcon, "Programm beenden", "?", QMessageBox::No, &form1());
    question.show();
    ASSERT_TRUE(activate(question));
    windows->broughtToFront.clear();
    question.button(QMessageBox::No)->click();
    EXPECT_TRUE(broughtToFront(form1()));

    click("Label5");
    ASSERT_FALSE(form1().isEnabled());
    activate(form1());
    EXPECT_TRUE(broughtToFront(opts()));
    opts().Command3->click();
    activate(pl());
    EXPECT_TRUE(broughtToFront(*program->frmdirIfLoaded()));
    windows->broughtToFront.clear();
    activate(opts());
    EXPECT_TRUE(broughtToFront(*program->frmdirIfLoaded()));
}

}  // namespace
