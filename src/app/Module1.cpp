#include "app/Module1.h"

#include "app/Docking.h"
#include "app/Program.h"
#include "app/Twips.h"
#include "player/Form1.h"
#include "playlist/playlist.h"

namespace {

const QColor kRed(255, 0, 0);

void showPlaylist(Program& program) {
    Form1& form = program.form1();
    playlist& pl = program.playlistWindow();
    const Desktop& d = program.desktop();
    pl.show();
    const double formTop = twips::top(form, d);
    const double formBottom = formTop + twips::height(form, d);
    twips::setTop(pl, formBottom - kActivationOverlap, d);
    if (dockingLimit(program) < twips::left(form, d)) {
        twips::setTop(pl, formBottom, d);
    } else {
        twips::moveTo(pl, twips::left(form, d), formBottom - kActivationOverlap, d);
    }
    form.hidepl->setEnabled(true);
    form.showpl->setEnabled(false);
    form.mnuplaylist->menuAction()->setEnabled(true);
    form.plcurr = QStringLiteral("1");
    if (form.Label2->foreColor() == kRed) {
        pl.setListHeightTwips(playlist::kEnlargedListHeight);
        pl.setHeightTwips(playlist::kEnlargedHeight);
        form.Label2->setToolTip(QStringLiteral("Playlist verkleinern (normale Größe)"));
        form.Label2->setForeColor(kRed);
    }
}

}  // namespace

void plaction(Program& program, const QString& command) {
    if (command == QLatin1String("showpl")) {
        showPlaylist(program);
    }
}
