#include "platform/QtTrayIcon.h"

#include <xcb/xcb.h>
#include <QApplication>
#include <QDBusConnection>
#include <QTimer>

#include "platform/NameToolTip.h"

namespace {

// A classic tray that comes up announces itself with a MANAGER message to the root window, which
// Qt listens to. The root gets few other client messages, so any of them is taken as the sign.
class TrayManagerWatch : public QAbstractNativeEventFilter {
public:
    TrayManagerWatch(xcb_window_t root, QtTrayIcon& icon) : root_(root), icon_(icon) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* /*result*/) override {
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if (type == "xcb_generic_event_t" && (event->response_type & 0x7f) == XCB_CLIENT_MESSAGE &&
            static_cast<const xcb_client_message_event_t*>(message)->window == root_) {
            // After Qt has seen it too.
            QTimer::singleShot(0, &icon_, &TrayIcon::hostChanged);
        }
        return false;
    }

private:
    xcb_window_t root_;
    QtTrayIcon& icon_;
};

}  // namespace

QtTrayIcon::QtTrayIcon() {
    // Decided before Qt's own icon is made: that would go to the same tray, without the menu.
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (StatusNotifierItem::trayRunsOn(bus)) {
        item_ = std::make_unique<StatusNotifierItem>(bus, QStringLiteral("MP3-Brambleplayer"));
        connect(item_.get(), &StatusNotifierItem::activated, this,
                [this] { emit eventHappened(Event::Activated); });
        connect(item_.get(), &StatusNotifierItem::contextMenuRequested, this,
                [this] { emit eventHappened(Event::MenuRequested); });
        connect(item_.get(), &StatusNotifierItem::shownChanged, this, &TrayIcon::hostChanged);
        return;
    }
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 != nullptr && x11->connection() != nullptr) {
        const xcb_window_t root =
            xcb_setup_roots_iterator(xcb_get_setup(x11->connection())).data->root;
        managerWatch_ = std::make_unique<TrayManagerWatch>(root, *this);
        QCoreApplication::instance()->installNativeEventFilter(managerWatch_.get());
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
