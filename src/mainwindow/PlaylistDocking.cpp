#include "mainwindow/PlaylistDocking.h"

#include <QRect>
#include <QWidget>
#include <algorithm>

#include "app/Program.h"
#include "mainwindow/Chrome.h"
#include "mainwindow/MainWindow.h"
#include "playlistwindow/DockedPlaylist.h"

namespace {

// Ticks that must find the windows held at the same wrong places before the docking takes that
// for the window manager's will: until it has answered, a window is where it was before.
constexpr int kTicksBeforeGivingIn = 40;

}  // namespace

QPoint dockedPlace(QPoint under, QSize list, const QRect& main, const QRect& area) {
    const int x = std::max(area.left(), std::min(under.x(), area.right() + 1 - list.width()));
    const int roomUnder = area.bottom() + 1 - under.y();
    const int roomOver = main.top() - area.top();
    if (list.height() <= roomUnder || roomUnder >= roomOver) {
        return {x, std::max(under.y(), area.top())};
    }
    return {x, main.top() - list.height()};
}

bool dockAt(Program& program, QPoint under) {
    DockedPlaylist* pane = program.dockedPlaylistIfLoaded();
    if (pane == nullptr) {
        return false;
    }
    QWidget* const pl = &pane->dockedWidget();
    MainWindow& form = program.mainWindow();
    const QPoint target =
        dockedPlace(under, pl->size(), form.geometry(), program.desktop().availableGeometry());
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
