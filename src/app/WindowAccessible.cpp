#include "app/WindowAccessible.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

QAccessibleInterface* windowInterface(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    // Asked once per class the object is made of, most derived first: only that one counts.
    // Qt's own windows, whose classes all begin with Q, describe themselves.
    if (widget == nullptr || !widget->isWindow() ||
        className != QLatin1String(object->metaObject()->className()) ||
        className.startsWith(QLatin1Char('Q'))) {
        return nullptr;
    }
    return new QAccessibleWidget(widget, QAccessible::Window);  // Qt owns it
}

}  // namespace

void installWindowAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&windowInterface);
        return true;
    }();
    static_cast<void>(installed);
}
