#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

class QMenu;

// The player's icon in the desktop's notification area. What the user does with it arrives
// as an event: an activation (a left double-click; on a tray that reports a click as one
// activation, the D-Bus tray protocol, the click) or a request for the menu (right button).
class TrayIcon : public QObject {
    Q_OBJECT
public:
    // What the user did with the icon.
    enum class Event { Activated, MenuRequested };

    using QObject::QObject;
    ~TrayIcon() override = default;

    // The icon stays until remove(), also while no tray host runs: it shows again in the next
    // host that comes up.
    virtual void add(const QIcon& icon, const QString& tip) = 0;
    virtual void setTip(const QString& tip) = 0;
    // A tray that shows the icon's menu itself is given it, kept current; a classic tray asks
    // with Event::MenuRequested instead.
    virtual void setMenu(QMenu& menu) = 0;
    virtual void remove() = 0;
    // True while the icon is added and a tray host shows it.
    virtual bool isShownInTray() const = 0;

signals:
    void eventHappened(TrayIcon::Event event);
    // A tray host came up or went away: isShownInTray() may say otherwise now. Not every way
    // a classic tray goes away is announced; a window hidden in it still asks now and then.
    void hostChanged();
};
