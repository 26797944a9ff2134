#include <QWindow>

#include "fakes/ProgramFixture.h"
#include "folderbrowser/FolderChooser.h"
#include "help/HelpWindow.h"
#include "playlistwindow/TitleSearchWindow.h"
#include "playlistwindow/TrackInfoWindow.h"

namespace {

class WindowRolesTest : public ProgramFixture {};

// Without the icon only the main window has a task-list entry, and the dialogs stay above the
// window they were opened for; the desktop test checks the same for the search, the options
// dialog and the folder browser under real window managers.
TEST_F(WindowRolesTest, WithoutTheIconOnlyTheMainWindowHasOneAndDialogsStayAboveTheirOwner) {
    start();
    model().fillPlaylist({{"Eins", "/m/1.mp3"}}, {1});
    pl().lines->setStringList(model().playlist().titles());
    click("searchButton");
    ASSERT_TRUE(activate(pl()));  // the search stays above it
    EXPECT_EQ(windows->raised.back(), program->searchIfLoaded());
    pl().setListIndex(0);
    pl().trackInfoItem->trigger();
    actions().help.trigger();
    click("optionsButton");
    opts().chooseFolderButton->click();
    FolderChooser& chooser = *program->folderChooser.get();
    EXPECT_EQ(chooser.windowHandle()->transientParent(), opts().windowHandle());
    EXPECT_FALSE(windows->inTaskList(chooser));
    EXPECT_TRUE(windows->inTaskList(mainWindow()));
    EXPECT_FALSE(windows->inTaskList(pl()));
    for (QWidget* dialog :
         {static_cast<QWidget*>(program->trackInfo.get()),
          static_cast<QWidget*>(program->searchIfLoaded()),
          static_cast<QWidget*>(program->help.get()), static_cast<QWidget*>(&opts())}) {
        ASSERT_NE(dialog, nullptr);
        SCOPED_TRACE(dialog->objectName().toStdString());
        EXPECT_FALSE(windows->inTaskList(*dialog));
        EXPECT_EQ(dialog->windowHandle()->transientParent(), mainWindow().windowHandle());
    }
}

}  // namespace
