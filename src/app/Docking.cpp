#include "app/Docking.h"

#include "app/Program.h"
#include "player/Chrome.h"
#include "player/Form1.h"
#include "playlist/playlist.h"
#include "util/OnScreen.h"
#include "util/Twips.h"

float dockingLimit(Program& program) {
    const Desktop& d = program.desktop();
    const double screenWidth = d.screenSize().width() * d.twipsPerPixelX();
    return static_cast<float>(screenWidth / 2 - twips::top(program.form1(), d) / 2);
}

namespace {

// Ticks that must find the windows held at the same wrong places before the docking takes that
// for the window manager's will: until it has answered, a window is where it was before.
constexpr int kTicksBeforeGivingIn = 40;

}  // namespace

bool dockAt(Program& program, QPoint target) {
    playlist* pl = program.playlistIfLoaded();
    if (pl == nullptr) {
        return false;
    }
    Form1& form = program.form1();
    DockingState& state = program.docking;
    if (!form.isVisible() || !pl->isVisible() || form.chrome().isDragging()) {
        // Nothing to hold while hidden; a drag moves both windows at every tick.
        state.misses = 0;
        const bool moving = pl->pos() != target;
        pl->move(target);
        return moving;
    }
    // Where the windows are: as the window manager said, or else as the screen shows them.
    const WindowSystem& windows = program.windowSystem();
    const QPoint mainAt = windows.placeOf(form);
    const QPoint listAt = pl->pos() != target ? pl->pos() : windows.placeOf(*pl);
    if (mainAt == form.pos() && listAt == target) {
        state.misses = 0;
        return false;
    }
    if (target == state.target && mainAt == state.mainHeldAt && listAt == state.listHeldAt) {
        ++state.misses;
    } else {
        state = {target, mainAt, listAt, 1, state.gaveInAt};
    }
    if (state.misses < kTicksBeforeGivingIn) {
        pl->move(target);
        return true;
    }
    // Held there: the docking follows where the main window really is, and a playlist window
    // held over the main window carries the main window up onto it, once for each place.
    state.misses = 0;
    if (mainAt != form.pos()) {
        form.move(mainAt);
        return true;
    }
    pl->move(listAt);
    if (state.gaveInAt != listAt && QRect(listAt, pl->size()).intersects(form.geometry())) {
        state.gaveInAt = listAt;
        form.move(form.x(), listAt.y() - form.height());
        return true;
    }
    return false;
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
