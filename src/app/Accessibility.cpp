#include "app/Accessibility.h"

#include <QAccessibleWidget>
#include <QScrollBar>

namespace {

// A scroll bar, which Qt leaves nameless, named by its direction; its value is its position.
class ScrollBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ScrollBarAccessible(QScrollBar* bar)
        : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && bar()->accessibleName().isEmpty()) {
            return bar()->orientation() == Qt::Vertical ? QStringLiteral("Bildlauf senkrecht")
                                                        : QStringLiteral("Bildlauf waagerecht");
        }
        if (t == QAccessible::Value) {
            return QString::number(bar()->value());
        }
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return bar()->value(); }
    void setCurrentValue(const QVariant& value) override { bar()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return bar()->maximum(); }
    QVariant minimumValue() const override { return bar()->minimum(); }
    QVariant minimumStepSize() const override { return bar()->singleStep(); }

private:
    QScrollBar* bar() const { return static_cast<QScrollBar*>(widget()); }
};

QAccessibleInterface* describe(const QString& className, QObject* object) {
    // Asked once per class the object is made of, most derived first: only that one counts.
    if (className != QLatin1String(object->metaObject()->className())) {
        return nullptr;
    }
    auto* widget = qobject_cast<QWidget*>(object);
    if (auto* bar = qobject_cast<QScrollBar*>(object)) {
        return new ScrollBarAccessible(bar);  // Qt owns it
    }
    // Qt's own windows, whose classes all begin with Q, describe themselves.
    if (widget != nullptr && widget->isWindow() && !className.startsWith(QLatin1Char('Q'))) {
        return new QAccessibleWidget(widget, QAccessible::Window);
    }
    return nullptr;
}

}  // namespace

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&describe);
        return true;
    }();
    static_cast<void>(installed);
}
