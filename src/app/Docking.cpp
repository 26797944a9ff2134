#include "app/Docking.h"

#include "app/Program.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PlaylistDocking.h"
#include "playlistwindow/PlaylistWindow.h"
#include "util/OnScreen.h"
#include "util/Twips.h"

float dockingLimit(Program& program) {
    const Desktop& d = program.desktop();
    const double screenWidth = d.screenSize().width() * d.twipsPerPixelX();
    return static_cast<float>(screenWidth / 2 - twips::top(program.mainWindow(), d) / 2);
}

bool dockPlaylist(Program& program) {
    const PlaylistWindow* pl = program.playlistIfLoaded();
    if (pl == nullptr) {
        return false;
    }
    MainWindow& form = program.mainWindow();
    const Desktop& d = program.desktop();
    const double left = twips::left(form, d);
    const int top =
        twips::toPixels(twips::top(form, d) + twips::height(form, d), d.twipsPerPixelY());
    const int x =
        dockingLimit(program) >= left ? twips::toPixels(left, d.twipsPerPixelX()) : pl->x();
    return dockAt(program, QPoint(x, top));
}

void keepDocked(Program& program) {
    if (!dockPlaylist(program)) {
        program.mainWindow().sleepDocking();
    }
}

void wakeDocking(Program& program) {
    program.mainWindow().wakeDocking();
}

void placePlaylistOverlapping(Program& program) {
    if (PlaylistWindow* pl = program.playlistIfLoaded()) {
        const MainWindow& form = program.mainWindow();
        const Desktop& d = program.desktop();
        const QPoint overlapping(
            pl->x(),
            twips::toPixels(twips::top(form, d) + twips::height(form, d) - kActivationOverlap,
                            d.twipsPerPixelY()));
        // Where it has no room there, the docking keeps it over the main window.
        const QPoint target =
            dockedPlace(overlapping, pl->size(), form.geometry(), d.availableGeometry());
        if (pl->pos() != target) {
            pl->move(target);
        }
    }
}

void placeMainWindowOnScreen(Program& program) {
    MainWindow& form = program.mainWindow();
    QRect both = form.geometry();
    if (const PlaylistWindow* pl = program.playlistIfLoaded(); pl != nullptr && pl->isVisible()) {
        both.setHeight(both.height() + pl->height());
    }
    moveClientAreaTo(form, placedOnScreen(both, program.desktop().availableGeometry()));
}

void runActivationSteps(Program& program) {
    placePlaylistOverlapping(program);
    MainWindow& form = program.mainWindow();
    const Desktop& d = program.desktop();
    if (twips::height(form, d) > kMaxMainHeight) {
        twips::setHeight(form, kMaxMainHeight, d);
    }
}
