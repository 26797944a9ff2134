#pragma once

#include <QObject>
#include <QString>

class Form1;
class FormTimer;

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

    explicit Tray(Form1& form);

    // The main window's load: adds the icon with the program's name as its tip.
    void setup();
    // Each change of track: the tip shows the title, as far as it fits.
    void setTip(const QString& title);
    // The icon's mouse messages, which first do what every mouse move over the main window
    // does (Position::Form_MouseMove). While the tray menu is open, they do nothing more.
    void Form_MouseMove(int message);
    void mnushowpl_Click();
    void mnushowquick_Click();

    // The main window was minimised, or "_" asks to be: into the tray if one shows the icon.
    void Form_Minimised();
    // While the main window is hidden in the tray: a tray that went away gives it back. While
    // the icon is missing: its return takes the main window out of the task list again.
    void tmrTrayHost_Timer();

    bool isBusy() const { return busy_; }

    FormTimer* tmrTrayHost;

signals:
    // "Quick-Info" of the tray menu: the popup shows this title.
    void quickInfoRequested(const QString& title);
    // A tray shows the icon again (or at last): the main window left the task list.
    void iconReturned();

private:
    // "Player wieder zeigen" and the double-click: shown, in front, with the keyboard focus.
    void showPlayer();
    void setTaskBarEntry(bool shown);

    Form1& form_;
    bool busy_ = false;
    // The main window has an entry in the task list.
    bool listed_ = true;
};
