#pragma once

#include <QDBusArgument>
#include <QDBusVariant>
#include <QIcon>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <type_traits>

// The structures of the D-Bus tray protocol (StatusNotifierItem) and of the menus it exports
// (com.canonical.dbusmenu), with their D-Bus signatures.

// An icon image: ARGB32 pixels in network byte order. (iiay)
struct DBusImage {
    int width = 0;
    int height = 0;
    QByteArray pixels;

    static constexpr int kDBusFields = 3;  // streamed in this order
};
using DBusImageList = QList<DBusImage>;

// (sa(iiay)ss)
struct DBusToolTip {
    QString iconName;
    DBusImageList images;
    QString title;
    QString text;

    static constexpr int kDBusFields = 4;  // streamed in this order
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

    static constexpr int kDBusFields = 2;  // streamed in this order
};
using DBusMenuItemList = QList<DBusMenuItem>;

// (ias)
struct DBusMenuItemKeys {
    int id = 0;
    QStringList names;

    static constexpr int kDBusFields = 2;  // streamed in this order
};
using DBusMenuItemKeysList = QList<DBusMenuItemKeys>;

// (isvu)
struct DBusMenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;

    static constexpr int kDBusFields = 4;  // streamed in this order
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

// A structure with kDBusFields goes over the bus as its fields in order.
template <typename T>
concept DBusStructure = requires {
    std::remove_const_t<T>::kDBusFields;
};

template <DBusStructure T, typename Take>
void forEachField(T& value, Take take) {
    constexpr int kCount = std::remove_const_t<T>::kDBusFields;
    static_assert(kCount >= 2 && kCount <= 4);
    if constexpr (kCount == 2) {
        auto& [a, b] = value;
        take(a), take(b);
    } else if constexpr (kCount == 3) {
        auto& [a, b, c] = value;
        take(a), take(b), take(c);
    } else {
        auto& [a, b, c, d] = value;
        take(a), take(b), take(c), take(d);
    }
}

template <DBusStructure T>
QDBusArgument& operator<<(QDBusArgument& arg, const T& value) {
    arg.beginStructure();
    forEachField(value, [&arg](const auto& field) { arg << field; });
    arg.endStructure();
    return arg;
}

template <DBusStructure T>
const QDBusArgument& operator>>(const QDBusArgument& arg, T& value) {
    arg.beginStructure();
    forEachField(value, [&arg](auto& field) { arg >> field; });
    arg.endStructure();
    return arg;
}

// Makes the types above known to Qt's D-Bus marshalling; once is enough, more is harmless.
void registerDBusTrayTypes();

// The icon at the sizes trays draw.
DBusImageList dbusImages(const QIcon& icon);
