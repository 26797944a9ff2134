#include "app/Accessibility.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QScrollBar>

namespace {

// A scroll bar, which Qt leaves nameless, named by its direction; its value is its position.
class ScrollBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ScrollBarAccessible(QScrollBar* bar)
        : QAccessibleWidget(bar, QAccessible::ScrollBar), bar_(bar) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && bar_->accessibleName().isEmpty()) {
            return bar_->orientation() == Qt::Vertical ? QStringLiteral("Bildlauf senkrecht")
                                                       : QStringLiteral("Bildlauf waagerecht");
        }
        if (t == QAccessible::Value) {
            return QString::number(bar_->value());
        }
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return bar_->value(); }
    void setCurrentValue(const QVariant& value) override { bar_->setValue(value.toInt()); }
    QVariant maximumValue() const override { return bar_->maximum(); }
    QVariant minimumValue() const override { return bar_->minimum(); }
    QVariant minimumStepSize() const override { return bar_->singleStep(); }

private:
    QScrollBar* const bar_;  // Qt drops this description with the bar
};

// A combo box named by its accessible name. On Linux Qt names one by its current text and leaves
// the name to a label beside it, which the folder windows' drive lists have not; their current
// drive is the value here.
class NamedComboBoxAccessible : public QAccessibleWidget {
public:
    explicit NamedComboBoxAccessible(QComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox), box_(box) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? box_->currentText() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = box_->view()->isVisible();
        return state;
    }
    // The list that drops down.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(box_->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == box_->view() ? 0 : -1;
    }
    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& actionName) override {
        if (actionName == showMenuAction()) {
            box_->showPopup();
        } else {
            QAccessibleWidget::doAction(actionName);
        }
    }

private:
    QComboBox* const box_;
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
    if (auto* box = qobject_cast<QComboBox*>(object);
        box != nullptr && !box->isEditable() && !box->accessibleName().isEmpty()) {
        return new NamedComboBoxAccessible(box);
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
