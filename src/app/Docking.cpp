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
    return static_cast<float>(screenWidth / 2 - twips::top(program.form1(), d) / 2);
}

bool dockplaylist(Program& program) {
    const playlist* pl = program.playlistIfLoaded();
    if (pl == nullptr) {
        return false;
    }
    Form1& form = program.form1();
    const Desktop& d = program.desktop();
    const double left = twips::left(form, d);
    const int top =
        twips::toPixels(twips::top(form, d) + twips::height(form, d), d.twipsPerPixelY());
    const int x =
        dockingLimit(program) >= left ? twips::toPixels(left, d.twipsPerPixelX()) : pl->x();
    return dockAt(program, QPoint(x, top));
}

void stayd_Timer(Program& program) {
    if (!dockplaylist(program)) {
        program.form1().sleepDocking();
    }
}

void wakeDocking(Program& program) {
    program.form1().wakeDocking();
}

void placePlaylistOverlapping(Program& program) {
    if (playlist* pl = program.playlistIfLoaded()) {
        const Form1& form = program.form1();
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
    Form1& form = program.form1();
    QRect both = form.geometry();
    if (const playlist* pl = program.playlistIfLoaded(); pl != nullptr && pl->isVisible()) {
        both.setHeight(both.height() + pl->height());
    }
    moveClientAreaTo(form, placedOnScreen(both, program.desktop().availableGeometry()));
}

void Form_Activate(Program& program) {
    placePlaylistOverlapping(program);
    Form1& form = program.form1();
    const Desktop& d = program.desktop();
    if (twips::height(form, d) > kMaxMainHeight) {
        twips::setHeight(form, kMaxMainHeight, d);
    }
}
