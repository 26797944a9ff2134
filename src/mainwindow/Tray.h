#pragma once

#include <QObject>
#include <QString>

#include "platform/TrayIcon.h"

class MainWindow;
class WindowTimer;

// The icon in the notification area and its menu: the icon's tip shows the track, a
// double-click brings the hidden main window back, the context request opens the tray menu.
// While a tray shows the icon, minimising hides the main window and it stays out of the task
// list; without one the window stays in the task list and minimising only minimises.
class Tray : public QObject {
    Q_OBJECT
public:
    static constexpr int kTipLength = 63;
    // How often a window hidden in the tray checks that the tray is still there.
    static constexpr int kHostCheckInterval = 1000;

    explicit Tray(MainWindow& form);

    // The main window's load: adds the icon with the program's name as its tip.
    void setup();
    // The main window was minimised, or "_" asks to be: into the tray if one shows the icon.
    void minimiseIntoTray();
    // While the main window is hidden in the tray: a tray that went away gives it back. While
    // the icon is missing: its return takes the main window out of the task list again.
    void checkTrayHost();

    WindowTimer* trayHostTimer;

signals:
    // "Quickinfo zeigen" of the tray menu: the popup shows the title as the main window shows
    // it now.
    void popupRequested(const QString& title);
    // A tray shows the icon again (or at last): the main window left the task list.
    void iconReturned();

private:
    // "Player wieder zeigen" and the double-click: shown, in front, with the keyboard focus.
    void showPlayer();
    void setTaskBarEntry(bool shown);

    MainWindow& form_;
    bool busy_ = false;
    // The main window has an entry in the task list.
    bool listed_ = true;
};
