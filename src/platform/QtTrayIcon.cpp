#include "platform/QtTrayIcon.h"

#include <QApplication>
#include <QDBusConnection>

#include "platform/NameToolTip.h"

QtTrayIcon::QtTrayIcon() {
    // Decided before Qt's own icon is made: that would go to the same tray, without the menu.
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (StatusNotifierItem::trayRunsOn(bus)) {
        item_ = std::make_unique<StatusNotifierItem>(bus, QStringLiteral("MP3-Brambleplayer"));
        connect(item_.get(), &StatusNotifierItem::activated, this,
                [this] { emit eventHappened(Event::Activated); });
        connect(item_.get(), &StatusNotifierItem::contextMenuRequested, this,
                [this] { emit eventHappened(Event::MenuRequested); });
        return;
    }
    icon_ = std::make_unique<QSystemTrayIcon>();
    connect(icon_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick) {
                    emit eventHappened(Event::Activated);
                } else if (reason == QSystemTrayIcon::Context) {
                    emit eventHappened(Event::MenuRequested);
                }
            });
}

void QtTrayIcon::add(const QIcon& icon, const QString& tip) {
    if (item_) {
        item_->show(icon, nameToolTip(tip));
    } else {
        icon_->setIcon(icon);
        setTip(tip);
        icon_->show();
    }
    // The icon holds the program while all its windows are hidden or closed; it ends only
    // through its own exit commands.
    QApplication::setQuitOnLastWindowClosed(false);
}

// The tray host shows the tip as a tooltip, which would read a title as markup.
void QtTrayIcon::setTip(const QString& tip) {
    if (item_) {
        item_->setToolTip(nameToolTip(tip));
    } else {
        icon_->setToolTip(nameToolTip(tip));
    }
}

void QtTrayIcon::setMenu(QMenu& menu) {
    // The classic tray's right-click is the program's own business.
    if (item_) {
        item_->setMenu(menu);
    }
}

void QtTrayIcon::remove() {
    if (item_) {
        item_->hide();
    } else {
        icon_->hide();
    }
}

bool QtTrayIcon::isShownInTray() const {
    return item_ ? item_->isShownInTray()
                 : icon_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}
