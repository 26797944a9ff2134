#pragma once

#include <QDBusArgument>
#include <QDBusVariant>
#include <QIcon>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <tuple>

// The structures of the D-Bus tray protocol (StatusNotifierItem) and of the menus it exports
// (com.canonical.dbusmenu), with their D-Bus signatures.

// An icon image: ARGB32 pixels in network byte order. (iiay)
struct DBusImage {
    int width = 0;
    int height = 0;
    QByteArray pixels;

    auto dbusFields() const { return std::tie(width, height, pixels); }
    auto dbusFields() { return std::tie(width, height, pixels); }
};
using DBusImageList = QList<DBusImage>;

// (sa(iiay)ss)
struct DBusToolTip {
    QString iconName;
    DBusImageList images;
    QString title;
    QString text;

    auto dbusFields() const { return std::tie(iconName, images, title, text); }
    auto dbusFields() { return std::tie(iconName, images, title, text); }
};

// A menu item with its children, as deep as asked for. (ia{sv}av), each child a variant.
struct DBusMenuLayout {
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayout> children;
};

// (ia{sv})
struct DBusMenuItem {
    int id = 0;
    QVariantMap properties;

    auto dbusFields() const { return std::tie(id, properties); }
    auto dbusFields() { return std::tie(id, properties); }
};
using DBusMenuItemList = QList<DBusMenuItem>;

// (ias)
struct DBusMenuItemKeys {
    int id = 0;
    QStringList names;

    auto dbusFields() const { return std::tie(id, names); }
    auto dbusFields() { return std::tie(id, names); }
};
using DBusMenuItemKeysList = QList<DBusMenuItemKeys>;

// (isvu)
struct DBusMenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;

    auto dbusFields() const { return std::tie(id, eventId, data, timestamp); }
    auto dbusFields() { return std::tie(id, eventId, data, timestamp); }
};
using DBusMenuEventList = QList<DBusMenuEvent>;

Q_DECLARE_METATYPE(DBusImage)
Q_DECLARE_METATYPE(DBusToolTip)
Q_DECLARE_METATYPE(DBusMenuLayout)
Q_DECLARE_METATYPE(DBusMenuItem)
Q_DECLARE_METATYPE(DBusMenuItemKeys)
Q_DECLARE_METATYPE(DBusMenuEvent)

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuLayout& layout);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuLayout& layout);

// A structure with dbusFields() goes over the bus as those fields in order.
template <typename T>
concept DBusStructure = requires(T& value) {
    value.dbusFields();
};

template <DBusStructure T>
QDBusArgument& operator<<(QDBusArgument& arg, const T& value) {
    arg.beginStructure();
    std::apply([&arg](const auto&... field) { (arg << ... << field); }, value.dbusFields());
    arg.endStructure();
    return arg;
}

template <DBusStructure T>
const QDBusArgument& operator>>(const QDBusArgument& arg, T& value) {
    arg.beginStructure();
    std::apply([&arg](auto&... field) { (arg >> ... >> field); }, value.dbusFields());
    arg.endStructure();
    return arg;
}

// Makes the types above known to Qt's D-Bus marshalling; once is enough, more is harmless.
void registerDBusTrayTypes();

// The icon at the sizes trays draw.
DBusImageList dbusImages(const QIcon& icon);
