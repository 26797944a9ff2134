#include "platform/DBusTrayTypes.h"

#include <QDBusMetaType>
#include <QImage>
#include <QtEndian>

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuLayout& layout) {
    arg.beginStructure();
    arg << layout.id << layout.properties;
    arg.beginArray(QMetaType::fromType<QDBusVariant>());
    for (const DBusMenuLayout& child : layout.children) {
        arg << QDBusVariant(QVariant::fromValue(child));
    }
    arg.endArray();
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuLayout& layout) {
    arg.beginStructure();
    arg >> layout.id >> layout.properties;
    layout.children.clear();
    arg.beginArray();
    while (!arg.atEnd()) {
        QDBusVariant child;
        arg >> child;
        DBusMenuLayout item;
        child.variant().value<QDBusArgument>() >> item;
        layout.children.append(item);
    }
    arg.endArray();
    arg.endStructure();
    return arg;
}

void registerDBusTrayTypes() {
    qDBusRegisterMetaType<DBusImage>();
    qDBusRegisterMetaType<DBusImageList>();
    qDBusRegisterMetaType<DBusToolTip>();
    qDBusRegisterMetaType<DBusMenuLayout>();
    qDBusRegisterMetaType<DBusMenuItem>();
    qDBusRegisterMetaType<DBusMenuItemList>();
    qDBusRegisterMetaType<DBusMenuItemKeys>();
    qDBusRegisterMetaType<DBusMenuItemKeysList>();
    qDBusRegisterMetaType<DBusMenuEvent>();
    qDBusRegisterMetaType<DBusMenuEventList>();
    // Signatures of slots, signals and properties name the lists by these names.
    qRegisterMetaType<DBusImageList>("DBusImageList");
    qRegisterMetaType<DBusMenuItemList>("DBusMenuItemList");
    qRegisterMetaType<DBusMenuItemKeysList>("DBusMenuItemKeysList");
    qRegisterMetaType<DBusMenuEventList>("DBusMenuEventList");
}

DBusImageList dbusImages(const QIcon& icon) {
    DBusImageList images;
    for (const int size : {16, 22, 24, 32, 48}) {
        const QImage image =
            icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        if (image.isNull()) {
            continue;
        }
        DBusImage out{image.width(), image.height(), {}};
        out.pixels.resize(static_cast<qsizetype>(image.width()) * image.height() * 4);
        auto* pixel = reinterpret_cast<quint32*>(out.pixels.data());  // NOLINT: byte buffer
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const quint32*>(image.constScanLine(y));  // NOLINT
            for (int x = 0; x < image.width(); ++x) {
                *pixel++ = qToBigEndian(line[x]);  // NOLINT: bounds set by the resize above
            }
        }
        images.append(out);
    }
    return images;
}
