#pragma once

#include <QAction>
#include <QDBusVariant>
#include <QHash>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include "platform/DBusTrayTypes.h"

// A menu as the D-Bus tray protocol shows it (com.canonical.dbusmenu): its items with their
// captions, enabled states, check marks and sub-menus, kept current as the menu changes. A
// click chosen there triggers the item as a click in the menu would.
class DBusMenuExporter : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)
public:
    static constexpr int kRootId = 0;

    explicit DBusMenuExporter(QMenu& menu, QObject* parent = nullptr);

    uint version() const { return 3; }
    QString textDirection() const { return QStringLiteral("ltr"); }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

    // The item's id in the exported menu (the menu itself is kRootId); -1 for an unknown one.
    int idOf(const QAction* item) const;
    // The item's properties as exported; all of them when names is empty.
    QVariantMap propertiesOf(int id, const QStringList& names = {}) const;

public slots:
    uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                   DBusMenuLayout& layout);
    DBusMenuItemList GetGroupProperties(const QList<int>& ids, const QStringList& propertyNames);
    QDBusVariant GetProperty(int id, const QString& name);
    void Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp);
    QList<int> EventGroup(const DBusMenuEventList& events);
    bool AboutToShow(int id);
    QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

signals:
    void ItemsPropertiesUpdated(const DBusMenuItemList& updatedProps,
                                const DBusMenuItemKeysList& removedProps);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Ids for the items of the menu and its sub-menus, and a watch on every menu among them.
    void learn(QMenu& menu);
    QList<QAction*> childrenOf(int id) const;
    DBusMenuLayout layoutOf(int id, int depth, const QStringList& names) const;
    // The id names the menu or one of its items.
    bool knows(int id) const { return id == kRootId || !items_.value(id).isNull(); }

    QPointer<QMenu> menu_;
    QHash<const QAction*, int> ids_;
    QHash<int, QPointer<QAction>> items_;
    int nextId_ = kRootId + 1;
    uint revision_ = 1;
    QTimer changed_;
};
