#include "app/Docking.h"

#include "app/OnScreen.h"
#include "app/Program.h"
#include "app/Twips.h"
#include "player/Form1.h"
#include "playlist/playlist.h"

float dockingLimit(Program& program) {
    const Desktop& d = program.desktop();
    const double screenWidth = d.screenSize().width() * d.twipsPerPixelX();
    return static_cast<float>(screenWidth / 2 - twips::top(program.form1(), d) / 2);
}

bool dockplaylist(Program& program) {
    playlist* pl = program.playlistIfLoaded();
    if (pl == nullptr) {
        return false;
    }
    Form1& form = program.form1();
    const Desktop& d = program.desktop();
    const double top = twips::top(form, d) + twips::height(form, d);
    const double left = twips::left(form, d);
    const QPoint before = pl->pos();
    if (dockingLimit(program) >= left) {
        twips::moveTo(*pl, left, top, d);
    } else {
        twips::setTop(*pl, top, d);
    }
    return pl->pos() != before;
}

void stayd_Timer(Program& program) {
    if (!dockplaylist(program)) {
        program.form1().stayd->sleepUntilWoken();
    }
}

void wakeDocking(Program& program) {
    program.form1().stayd->wake();
}

void placePlaylistOverlapping(Program& program) {
    if (playlist* pl = program.playlistIfLoaded()) {
        const Form1& form = program.form1();
        const Desktop& d = program.desktop();
        twips::setTop(*pl, twips::top(form, d) + twips::height(form, d) - kActivationOverlap, d);
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
