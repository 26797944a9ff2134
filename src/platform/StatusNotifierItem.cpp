#include "platform/StatusNotifierItem.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kItemPath = QStringLiteral("/StatusNotifierItem");
const QString kMenuPath = QStringLiteral("/MenuBar");
const QString kPropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
constexpr auto kExports = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                          QDBusConnection::ExportAllProperties;

QDBusMessage hostQuestion() {
    QDBusMessage question = QDBusMessage::createMethodCall(
        kWatcherService, kWatcherPath, kPropertiesInterface, QStringLiteral("Get"));
    question << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    return question;
}

bool saysHostRuns(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

}  // namespace

StatusNotifierItem::StatusNotifierItem(const QDBusConnection& bus, QString title, QObject* parent)
    : QObject(parent),
      bus_(bus),
      title_(std::move(title)),
      serviceName_(QStringLiteral("org.kde.StatusNotifierItem-%1-1")
                       .arg(QCoreApplication::applicationPid())),
      watcher_(kWatcherService, bus, QDBusServiceWatcher::WatchForOwnerChange) {
    registerDBusTrayTypes();
    // A tray that starts again (or later) learns of the icon anew.
    connect(&watcher_, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        if (registered_) {
            registerWithWatcher();
        }
    });
    connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        accepted_ = false;
        hostRuns_ = false;
        emit shownChanged();
    });
    bus_.connect(kWatcherService, kWatcherPath, kWatcherService,
                 QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(askWhetherHostRuns()));
    bus_.connect(kWatcherService, kWatcherPath, kWatcherService,
                 QStringLiteral("StatusNotifierHostUnregistered"), this,
                 SLOT(askWhetherHostRuns()));
}

StatusNotifierItem::~StatusNotifierItem() {
    hide();
}

bool StatusNotifierItem::trayRunsOn(const QDBusConnection& bus) {
    // As long as Qt waits for the same answer when its own icon is made: the two must agree,
    // or Qt's icon would go to the tray without the menu.
    return bus.isConnected() && saysHostRuns(bus.call(hostQuestion()));
}

QString StatusNotifierItem::id() const {
    return QCoreApplication::applicationName();
}

QDBusObjectPath StatusNotifierItem::menuPath() const {
    return QDBusObjectPath(menu_ ? kMenuPath : QStringLiteral("/NO_DBUSMENU"));
}

void StatusNotifierItem::show(const QIcon& icon, const QString& tip) {
    images_ = dbusImages(icon);
    tip_ = tip;
    if (registered_) {
        emit NewIcon();
        emit NewToolTip();
        return;
    }
    registered_ = bus_.registerObject(kItemPath, this, kExports);
    if (menu_) {
        bus_.registerObject(kMenuPath, menu_.get(), kExports);
    }
    registered_ = registered_ && bus_.registerService(serviceName_);
    // The tray that was asked at start is taken to run until it says otherwise.
    hostRuns_ = true;
    accepted_ = true;
    registerWithWatcher();
}

void StatusNotifierItem::registerWithWatcher() {
    QDBusMessage call =
        QDBusMessage::createMethodCall(kWatcherService, kWatcherPath, kWatcherService,
                                       QStringLiteral("RegisterStatusNotifierItem"));
    call << serviceName_;
    auto* pending = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* done) {
                accepted_ = !done->isError();
                done->deleteLater();
                askWhetherHostRuns();
            });
}

void StatusNotifierItem::askWhetherHostRuns() {
    auto* pending = new QDBusPendingCallWatcher(bus_.asyncCall(hostQuestion()), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* done) {
                hostRuns_ = saysHostRuns(done->reply());
                done->deleteLater();
                emit shownChanged();
            });
}

void StatusNotifierItem::setToolTip(const QString& tip) {
    tip_ = tip;
    emit NewToolTip();
}

void StatusNotifierItem::setMenu(QMenu& menu) {
    menu_ = std::make_unique<DBusMenuExporter>(menu);
    if (registered_) {
        bus_.registerObject(kMenuPath, menu_.get(), kExports);
        emit NewMenu();
    }
}

void StatusNotifierItem::hide() {
    if (!registered_) {
        return;
    }
    bus_.unregisterService(serviceName_);
    bus_.unregisterObject(kMenuPath);
    bus_.unregisterObject(kItemPath);
    registered_ = false;
    accepted_ = false;
}

void StatusNotifierItem::Activate(int /*x*/, int /*y*/) {
    emit activated();
}

void StatusNotifierItem::SecondaryActivate(int /*x*/, int /*y*/) {}

void StatusNotifierItem::ContextMenu(int /*x*/, int /*y*/) {
    emit contextMenuRequested();
}

void StatusNotifierItem::Scroll(int /*delta*/, const QString& /*orientation*/) {}
