#include "platform/QtTrayIcon.h"

#include <QApplication>

#include "platform/NameToolTip.h"

QtTrayIcon::QtTrayIcon() {
    connect(&icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick) {
                    emit message(kDoubleClick);
                } else if (reason == QSystemTrayIcon::Context) {
                    emit message(kContextRequest);
                }
            });
}

void QtTrayIcon::add(const QIcon& icon, const QString& tip) {
    icon_.setIcon(icon);
    setTip(tip);
    icon_.show();
    // The icon holds the program while all its windows are hidden or closed; it ends only
    // through its own exit commands.
    QApplication::setQuitOnLastWindowClosed(false);
}

// The tray host shows the tip as a tooltip, which would read a title as markup.
void QtTrayIcon::setTip(const QString& tip) {
    icon_.setToolTip(nameToolTip(tip));
}

void QtTrayIcon::remove() {
    icon_.hide();
}

bool QtTrayIcon::isShownInTray() const {
    return icon_.isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}
