#pragma once

#include <QSystemTrayIcon>

#include "platform/TrayIcon.h"

// The desktop's system tray through Qt, which puts the icon back when a tray host comes up.
class QtTrayIcon : public TrayIcon {
    Q_OBJECT
public:
    QtTrayIcon();

    void add(const QIcon& icon, const QString& tip) override;
    void setTip(const QString& tip) override;
    void remove() override;
    bool isShownInTray() const override;
    // The tip as the tray host is given it.
    QString shownTip() const { return icon_.toolTip(); }

private:
    QSystemTrayIcon icon_;
};
