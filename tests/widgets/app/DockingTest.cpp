#include <QGuiApplication>

#include "fakes/ProgramFixture.h"
#include "mainwindow/Docking.h"

namespace {

class DockingTest : public ProgramFixture {
protected:
    void SetUp() override { start(); }
};

// Beyond 9600 - 3000/2 twips (540 px) the playlist keeps its own left.
TEST_F(DockingTest, TickShowingAndActivationPlaceThePlaylist) {
    // Left 5000 twips is not beyond 9600 - 3000/2: overlap and take the left.
    mainWindow().move(333, 200);
    pl().move(0, 0);
    showPlaylist(*program);
    EXPECT_EQ(pl().pos(), QPoint(333, 200 + 155 - 20));

    // At 540 px the tick takes the main window's left, one pixel further it does not.
    for (const auto& [left, docked] : {std::pair{540, QPoint(540, 355)}, {541, QPoint(7, 355)}}) {
        mainWindow().move(left, 200);
        pl().move(7, 0);
        mainWindow().docking().dock();
        EXPECT_EQ(pl().pos(), docked) << left;
    }
    mainWindow().move(600, 200);
    pl().move(7, 0);
    showPlaylist(*program);
    EXPECT_EQ(pl().pos(), QPoint(7, 355));
    EXPECT_EQ(mainWindow().playlistMark(), "1");

    mainWindow().move(100, 100);
    mainWindow().resize(mainWindow().width(), 200);
    mainWindow().docking().runActivationSteps();
    EXPECT_EQ(pl().y(), 100 + 200 - 20);
    EXPECT_EQ(mainWindow().height(), 157);  // 2355 twips

    mainWindow().resize(mainWindow().width(), 150);
    mainWindow().docking().runActivationSteps();
    EXPECT_EQ(mainWindow().height(), 150);
}

}  // namespace
