#include "mainwindow/Tray.h"

#include <QApplication>

#include "app/Program.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PositionBar.h"
#include "mainwindow/Transport.h"
#include "playlistwindow/DockedPlaylist.h"

namespace {

const QString kProgramName = QStringLiteral("MP3-Brambleplayer");

// The title cut to the tip's length, never in the middle of a character.
QString tipText(const QString& title) {
    QString tip = title.left(Tray::kTipLength);
    if (!tip.isEmpty() && tip.back().isHighSurrogate()) {
        tip.chop(1);
    }
    return tip;
}

}  // namespace

Tray::Tray(Form1& form) : QObject(&form), form_(form) {
    tmrTrayHost = new FormTimer(kHostCheckInterval, false, this);
    connect(tmrTrayHost, &FormTimer::timeout, this, &Tray::tmrTrayHost_Timer);
    connect(form_.mnusystemtray, &QMenu::aboutToHide, this, [this] { busy_ = false; });
    connect(form_.mnushowpl, &QAction::triggered, this, &Tray::mnushowpl_Click);
    connect(form_.mnushowquick, &QAction::triggered, this, &Tray::mnushowquick_Click);
    connect(&form_.transport(), &Transport::trayTipChanged, this, &Tray::setTip);
    if (TrayIcon* icon = form_.program().trayIcon()) {
        connect(icon, &TrayIcon::message, this, &Tray::Form_MouseMove);
    }
}

void Tray::setup() {
    Program& program = form_.program();
    if (TrayIcon* icon = program.trayIcon()) {
        icon->add(form_.windowIcon(), kProgramName);
        icon->setMenu(*form_.mnusystemtray);
    }
    setTaskBarEntry(!program.trayIconExists());
    // A D-Bus tray takes the icon a moment later; without a tray the timer waits for one.
    tmrTrayHost->setEnabled(!program.trayIconExists());
}

void Tray::setTip(const QString& title) {
    if (TrayIcon* icon = form_.program().trayIcon()) {
        icon->setTip(tipText(title));
    }
}

void Tray::Form_MouseMove(int message) {
    form_.position().Form_MouseMove();
    // The menu hides before its chosen item runs: a question that item asks (the exit
    // confirmation) keeps the tray busy until it is answered.
    if (busy_ || QApplication::activeModalWidget() != nullptr) {
        return;
    }
    if (message == TrayIcon::kDoubleClick) {
        showPlayer();
        form_.stayd->setEnabled(true);
    } else if (message == TrayIcon::kContextRequest) {
        // Busy until the menu closes. The menu grabs the pointer itself, so a click elsewhere
        // closes it: the main window need not come to the front first.
        busy_ = true;
        form_.mnusystemtray->popup(form_.program().desktop().cursorPos());
    }
}

void Tray::mnushowpl_Click() {
    showPlayer();
}

void Tray::mnushowquick_Click() {
    emit quickInfoRequested(form_.lbltracktitle->caption());
}

void Tray::showPlayer() {
    Program& program = form_.program();
    tmrTrayHost->setEnabled(!program.trayIconExists());
    setTaskBarEntry(!program.trayIconExists());
    form_.setWindowState(form_.windowState() & ~Qt::WindowMinimized);
    form_.show();
    // The docked playlist window comes up with it.
    if (PlaylistPane* pl = program.playlistPaneIfLoaded();
        pl != nullptr && pl->paneWidget().isVisible()) {
        program.windowSystem().stackAbove(pl->paneWidget(), form_);
    }
    program.windowSystem().bringToFront(form_);
}

void Tray::Form_Minimised() {
    if (!form_.program().trayIconExists()) {
        // Without a tray the task list is the way back.
        setTaskBarEntry(true);
        tmrTrayHost->setEnabled(true);
        return;
    }
    // Iconified by the window manager, it stays so: out of the task list, the icon brings it
    // back. Minimised by the program, it goes into the tray.
    if (!form_.isMinimized()) {
        form_.hide();
    }
    tmrTrayHost->setEnabled(true);
}

void Tray::tmrTrayHost_Timer() {
    const bool iconShown = form_.program().trayIconExists();
    if (form_.isVisible() && !form_.isMinimized()) {
        if (iconShown) {
            tmrTrayHost->setEnabled(false);
            if (listed_) {
                setTaskBarEntry(false);
                emit iconReturned();
            }
        }
    } else if (!iconShown && !listed_) {
        // Without the icon nothing could bring the hidden window back.
        showPlayer();
        form_.stayd->setEnabled(true);
    }
}

void Tray::setTaskBarEntry(bool shown) {
    listed_ = shown;
    form_.program().windowSystem().setInTaskList(form_, shown);
}
