#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QIcon>
#include <QMenu>
#include <QObject>
#include <memory>

#include "platform/DBusMenuExporter.h"
#include "platform/DBusTrayTypes.h"

// The icon in a tray that speaks the D-Bus tray protocol (org.kde.StatusNotifierItem), as the
// panels of most desktops do. The tray asks for the menu over D-Bus and reports a click on the
// icon as one activation.
class StatusNotifierItem : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconName READ emptyName)
    Q_PROPERTY(DBusImageList IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ emptyName)
    Q_PROPERTY(DBusImageList OverlayIconPixmap READ noImages)
    Q_PROPERTY(QString AttentionIconName READ emptyName)
    Q_PROPERTY(DBusImageList AttentionIconPixmap READ noImages)
    Q_PROPERTY(QString AttentionMovieName READ emptyName)
    Q_PROPERTY(DBusToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menuPath)
public:
    // title: the program's name, which the tray may show.
    StatusNotifierItem(const QDBusConnection& bus, QString title, QObject* parent = nullptr);
    ~StatusNotifierItem() override;

    // Whether a tray on this bus shows such icons; asked once at start, as it decides which
    // kind of icon the program uses.
    static bool trayRunsOn(const QDBusConnection& bus);

    void show(const QIcon& icon, const QString& tip);
    void setToolTip(const QString& tip);
    void setMenu(QMenu& menu);
    void hide();
    // While shown and a tray has accepted the icon.
    bool isShownInTray() const { return registered_ && accepted_ && hostRuns_; }

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const;
    QString title() const { return title_; }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString emptyName() const { return {}; }
    DBusImageList iconPixmap() const { return images_; }
    DBusImageList noImages() const { return {}; }
    DBusToolTip toolTip() const { return {{}, {}, tip_, {}}; }
    bool itemIsMenu() const { return false; }
    QDBusObjectPath menuPath() const;

public slots:
    void Activate(int x, int y);
    void SecondaryActivate(int x, int y);
    void ContextMenu(int x, int y);
    void Scroll(int delta, const QString& orientation);

signals:
    // The user clicked the icon.
    void activated();
    // The tray asks the program to show the menu itself.
    void contextMenuRequested();
    // A tray came or went: isShownInTray() may have changed.
    void shownChanged();

    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewToolTip();
    void NewStatus(const QString& status);
    void NewMenu();

private slots:
    void askWhetherHostRuns();

private:
    void registerWithWatcher();

    QDBusConnection bus_;
    QString title_;
    QString serviceName_;
    QString tip_;
    DBusImageList images_;
    std::unique_ptr<DBusMenuExporter> menu_;
    QDBusServiceWatcher watcher_;
    bool registered_ = false;
    bool accepted_ = false;
    bool hostRuns_ = false;
};
