#include "mainwindow/Tray.h"

#include <QApplication>

#include "mainwindow/Docking.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PositionBar.h"
#include "model/PlaybackModel.h"
#include "model/PlayerActions.h"

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

Tray::Tray(MainWindow& form) : QObject(&form), form_(form) {
    trayHostTimer = new WindowTimer(kHostCheckInterval, false, this);
    connect(trayHostTimer, &WindowTimer::timeout, this, &Tray::checkTrayHost);
    connect(form_.trayMenu, &QMenu::aboutToHide, this, [this] { busy_ = false; });
    connect(&form_.actions_.showPlayer, &QAction::triggered, this, &Tray::showPlayer);
    connect(&form_.actions_.showPopup, &QAction::triggered, this,
            [this] { emit popupRequested(form_.titleMarquee->caption()); });
    // Each change of track: the tip shows the title, as far as it fits.
    connect(&form_.model_, &PlaybackModel::trackStarted, this,
            [this](int /*entry*/, const QString& title) {
                if (TrayIcon* icon = form_.services_.trayIcon.get()) {
                    icon->setTip(tipText(title));
                }
            });
    if (TrayIcon* icon = form_.services_.trayIcon.get()) {
        connect(icon, &TrayIcon::hostChanged, this, &Tray::checkTrayHost);
        // What the user did with the icon. It first does what every mouse move over the main
        // window does (hiding the seek tip); while the tray menu is open, nothing more.
        connect(icon, &TrayIcon::eventHappened, this, [this](TrayIcon::Event event) {
            form_.position().hideSeekTip();
            // The menu hides before its chosen item runs: a question that item asks (the exit
            // confirmation) keeps the tray busy until it is answered.
            if (busy_ || QApplication::activeModalWidget() != nullptr) {
                return;
            }
            if (event == TrayIcon::Event::Activated) {
                showPlayer();
                form_.dockingTimer->setEnabled(true);
            } else if (event == TrayIcon::Event::MenuRequested) {
                // Busy until the menu closes. The menu grabs the pointer itself, so a click
                // elsewhere closes it: the main window need not come to the front first.
                busy_ = true;
                form_.trayMenu->popup(form_.desktop().cursorPos());
            }
        });
    }
}

void Tray::setup() {
    if (TrayIcon* icon = form_.services_.trayIcon.get()) {
        icon->add(form_.windowIcon(), kProgramName);
        icon->setMenu(*form_.trayMenu);
    }
    setTaskBarEntry(!form_.services_.trayShown());
}

void Tray::showPlayer() {
    WindowSystem& windows = *form_.services_.windows;
    trayHostTimer->setEnabled(false);
    setTaskBarEntry(!form_.services_.trayShown());
    form_.setWindowState(form_.windowState() & ~Qt::WindowMinimized);
    form_.show();
    // The docked playlist window comes up with it.
    if (QWidget* pl = form_.docking().playlist(); pl != nullptr && pl->isVisible()) {
        windows.stackAbove(*pl, form_);
    }
    windows.bringToFront(form_);
}

void Tray::minimiseIntoTray() {
    if (!form_.services_.trayShown()) {
        // Without a tray the task list is the way back.
        setTaskBarEntry(true);
        return;
    }
    // Iconified by the window manager, it stays so: out of the task list, the icon brings it
    // back. Minimised by the program, it goes into the tray.
    if (!form_.isMinimized()) {
        form_.hide();
    }
    trayHostTimer->setEnabled(true);
}

void Tray::checkTrayHost() {
    const bool iconShown = form_.services_.trayShown();
    if (form_.isVisible() && !form_.isMinimized()) {
        if (iconShown) {
            trayHostTimer->setEnabled(false);
            if (listed_) {
                setTaskBarEntry(false);
                emit iconReturned();
            }
        }
    } else if (!iconShown && !listed_) {
        // Without the icon nothing could bring the hidden window back.
        showPlayer();
        form_.dockingTimer->setEnabled(true);
    }
}

void Tray::setTaskBarEntry(bool shown) {
    listed_ = shown;
    form_.services_.windows->setInTaskList(form_, shown);
}
