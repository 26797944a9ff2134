#pragma once

#include <QAccessibleWidget>

class SkinLabel;

// What assistive technology learns of a skin label. One that works as a slider is a slider
// with the slider's name, value and range, and takes a value set from outside. One that acts
// as a button is a push button named by its tooltip, or by its caption where it has none, and
// its press action does what a click does; one whose colour holds a state is checkable. Any other
// is static text named by its caption, or a graphic.
class SkinLabelAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SkinLabelAccessible(SkinLabel* label);

    QAccessible::Role role() const override;
    // A checkable label tells whether it is checked.
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QVariant currentValue() const override;
    // As a drag released at that value.
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    SkinLabel& label_;
};

// Lets Qt describe every skin label through SkinLabelAccessible; called by each new label,
// it installs the factory once.
void installSkinLabelAccessibility();
