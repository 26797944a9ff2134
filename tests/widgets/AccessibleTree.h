#pragma once

#include <QAccessible>
#include <QMetaEnum>
#include <QStringList>
#include <QWidget>
#include <string>

// What a screen reader finds in a window, one line an element that has a name: role, name,
// rectangle (the window's on the screen, the others' inside it), and "off" where disabled.
inline std::string accessibleTree(QWidget& window) {
    const QPoint origin = window.mapToGlobal(QPoint(0, 0));
    QStringList lines;
    const auto walk = [&](const auto& self, QAccessibleInterface* node, QPoint from) -> void {
        const QRect r = node->rect().translated(-from);
        if (!node->text(QAccessible::Name).isEmpty()) {
            lines << QStringLiteral("%1 %2 %3,%4 %5x%6%7")
                         .arg(
                             QString::fromLatin1(
                                 QMetaEnum::fromType<QAccessible::Role>().valueToKey(node->role())),
                             node->text(QAccessible::Name))
                         .arg(r.x())
                         .arg(r.y())
                         .arg(r.width())
                         .arg(r.height())
                         .arg(node->state().disabled ? QStringLiteral(" off") : QString());
        }
        for (int i = 0; i < node->childCount(); ++i) {
            QAccessibleInterface* child = node->child(i);
            if (child != nullptr && !child->state().invisible) {
                self(self, child, origin);
            }
        }
    };
    walk(walk, QAccessible::queryAccessibleInterface(&window), QPoint());
    return lines.join(QLatin1Char('\n')).toStdString();
}
