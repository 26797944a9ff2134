#include "mainwindow/Chrome.h"

#include <array>

#include "app/Program.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PlaylistDocking.h"
#include "mainwindow/Tray.h"
#include "playlistwindow/DockedPlaylist.h"
#include "skin/Marquee.h"
#include "skin/SkinColors.h"
#include "util/Twips.h"

namespace {

using skincolors::kBlue;
using skincolors::kCyan;
using skincolors::kGreen;
using skincolors::kRed;
using skincolors::kWhite;
const QString kMarqueeSeparator = QStringLiteral("       ---        ");

}  // namespace

Chrome::Chrome(Form1& form) : QObject(&form), form_(form) {
    connectPressedLooks();
    connect(form_.Label6, &SkinLabel::mouseDown, this, &Chrome::Label6_MouseDown);
    connect(form_.Label6, &SkinLabel::mouseUp, this, [this] { Label6_MouseUp(); });
    connect(form_.tmrMove, &FormTimer::timeout, this, &Chrome::tmrMove_Timer);
    connect(form_.Label13, &SkinLabel::clicked, this, &Chrome::Label13_Click);
    connect(form_.tmrlaufschrift, &FormTimer::timeout, this, &Chrome::tmrlaufschrift_Timer);
    connect(&form_, &Form1::resized, this, &Chrome::Form_Resize);
}

void Chrome::connectPressedLooks() {
    // The looks react to any mouse button.
    for (SkinLabel* glyph :
         {form_.btnplay, form_.btnpause, form_.btnstop, form_.btnprev, form_.btnnext}) {
        connect(glyph, &SkinLabel::mouseDown, this, [glyph] { glyph->setForeColor(kBlue); });
        connect(glyph, &SkinLabel::mouseUp, this, [glyph] { glyph->setForeColor(kGreen); });
    }
    for (SkinLabel* button :
         {form_.Label1, form_.Label3, form_.Label5, form_.Label7, form_.Label8, form_.Label10}) {
        connect(button, &SkinLabel::mouseDown, this, [button] { button->setBackColor(kCyan); });
        connect(button, &SkinLabel::mouseUp, this, [button] { button->setBackColor(kWhite); });
    }
    const std::array<std::pair<SkinLabel*, SkinFrame*>, 3> titleButtons{
        {{form_.Label13, form_.Shape1},
         {form_.Label14, form_.Shape3},
         {form_.Label9, form_.Shape2}}};
    for (const auto& button : titleButtons) {
        SkinLabel* label = button.first;
        SkinFrame* frame = button.second;
        connect(label, &SkinLabel::mouseDown, this, [label, frame] {
            frame->setBorderColor(kRed);
            label->setForeColor(kWhite);
        });
        connect(label, &SkinLabel::mouseUp, this, [label, frame] {
            frame->setBorderColor(kWhite);
            label->setForeColor(kGreen);
        });
    }
}

void Chrome::Label6_MouseDown(Qt::MouseButton /*button*/, QPointF twipsPos) {
    grabX_ = twipsPos.x();
    grabYFlag_ = twipsPos.y() != 0;
    moveDrag_ = true;
    settleTicks_ = 0;
    form_.tmrMove->setInterval(10);
}

void Chrome::Label6_MouseUp() {
    moveDrag_ = false;
    // The window manager may yet put either window elsewhere than the drag did. The docking
    // timer follows them; while it is off, the drag's own docking goes on until the two have
    // stood still for a while.
    settleTicks_ = form_.stayd->isEnabled() ? 0 : kSettleTicks;
    form_.tmrMove->setInterval(settleTicks_ > 0 ? 10 : 0);
}

void Chrome::settleAfterDrag() {
    const bool moved = dockAt(form_.program(), QPoint(form_.x(), form_.y() + form_.height()));
    settleTicks_ = moved ? kSettleTicks : settleTicks_ - 1;
    if (settleTicks_ <= 0) {
        form_.tmrMove->setInterval(0);
    }
}

void Chrome::dockPlaylistForDrag() {
    Program& program = form_.program();
    PlaylistPane* pl = program.playlistPaneIfLoaded();
    if (pl == nullptr) {
        return;
    }
    const Desktop& d = program.desktop();
    QWidget& list = pl->paneWidget();
    const QPoint under(
        twips::toPixels(twips::left(form_, d), d.twipsPerPixelX()),
        twips::toPixels(twips::top(form_, d) + twips::height(form_, d), d.twipsPerPixelY()));
    const QPoint target = dockedPlace(under, list.size(), form_.geometry(), d.availableGeometry());
    if (list.pos() != target) {
        list.move(target);
    }
}

void Chrome::tmrMove_Timer() {
    if (!moveDrag_ && settleTicks_ > 0) {
        settleAfterDrag();
        return;
    }
    dockPlaylistForDrag();
    if (!moveDrag_) {
        return;
    }
    const Desktop& d = form_.program().desktop();
    const QPoint cursor = d.cursorPos();
    // A press below the label's top edge counts as -1, so the window sits one twip lower.
    const double yFlag = grabYFlag_ ? -1.0 : 0.0;
    twips::moveTo(form_, d.twipsPerPixelX() * cursor.x() - grabX_,
                  d.twipsPerPixelY() * cursor.y() - yFlag - kDragTopOffset, d);
    dockPlaylistForDrag();
}

void Chrome::Label13_Click() {
    if (form_.program().trayIconExists()) {
        // Straight into the tray: a window the window manager iconified and that was then
        // withdrawn came back iconic at its next map, and vanished again at once.
        resizeSteps(true);
    } else {
        form_.setWindowState(form_.windowState() | Qt::WindowMinimized);
    }
    form_.stayd->setEnabled(false);
}

void Chrome::Form_Resize() {
    resizeSteps(form_.windowState().testFlag(Qt::WindowMinimized));
}

void Chrome::resizeSteps(bool minimised) {
    Program& program = form_.program();
    const bool playlistWanted = form_.playlistWanted();

    if (minimised) {
        form_.tray().Form_Minimised();
    } else {
        // Back from the task bar without a tray icon: nothing else would restart the docking.
        if (!program.trayIconExists()) {
            form_.stayd->setEnabled(true);
        }
        if (playlistWanted) {
            program.playlistPane().paneWidget().show();
        } else if (PlaylistPane* pl = program.playlistPaneIfLoaded()) {
            pl->paneWidget().hide();
        }
        if (PlaylistPane* pl = program.playlistPaneIfLoaded()) {
            pl->paneWidget().setWindowState(Qt::WindowNoState);
        }
    }
    form_.setPlaylistShown(playlistWanted);
    if (playlistWanted) {
        program.playlistPane().paneWidget().show();
    }
    if (form_.lbltracktitle->caption().isEmpty()) {
        form_.lbltracktitle->setCaption(kNoFileLoaded);
    }
}

void Chrome::setTrackTitle(const QString& title) {
    form_.lbltracktitle->setCaption(title);
    titleCheck();
}

void Chrome::titleCheck() {
    const double width = form_.controlWidthTwips(*form_.lbltracktitle);
    if (width > Form1::kMarqueeWidth) {
        form_.lbltracktitle->setCaption(form_.lbltracktitle->caption() + kMarqueeSeparator);
        form_.tmrlaufschrift->setEnabled(true);
    } else if (width < Form1::kMarqueeWidth) {
        form_.tmrlaufschrift->setEnabled(false);
    }
}

void Chrome::tmrlaufschrift_Timer() const {
    form_.lbltracktitle->setCaption(marqueeStep(form_.lbltracktitle->caption()));
}
