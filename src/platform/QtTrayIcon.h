#pragma once

#include <QAbstractNativeEventFilter>
#include <QSystemTrayIcon>
#include <memory>

#include "platform/StatusNotifierItem.h"
#include "platform/TrayIcon.h"

// The desktop's system tray. Where a tray speaks the D-Bus tray protocol when the program
// starts, the icon and its menu go there; otherwise to the classic X11 tray through Qt, which
// puts the icon back when a tray host comes up.
class QtTrayIcon : public TrayIcon {
    Q_OBJECT
public:
    QtTrayIcon();

    void add(const QIcon& icon, const QString& tip) override;
    void setTip(const QString& tip) override;
    void setMenu(QMenu& menu) override;
    void remove() override;
    bool isShownInTray() const override;
    // The tip as the tray host is given it.
    QString shownTip() const { return icon_ ? icon_->toolTip() : QString(); }

private:
    // Tells of a classic tray coming up.
    std::unique_ptr<QAbstractNativeEventFilter> managerWatch_;
    // One of the two.
    std::unique_ptr<StatusNotifierItem> item_;
    std::unique_ptr<QSystemTrayIcon> icon_;
};
