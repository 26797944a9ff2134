#pragma once

#include <QAccessibleWidget>

class SkinLabel;

// What assistive technology learns of a skin label. One that acts as a button is a push button
// named by its tooltip, or by its caption where it has none, and its press action does what a
// click does; any other is static text (or a graphic) named by its caption.
class SkinLabelAccessible : public QAccessibleWidget {
public:
    explicit SkinLabelAccessible(SkinLabel* label);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    SkinLabel* label() const;
    bool actsAsButton() const;
};

// Lets Qt describe every skin label through SkinLabelAccessible; called by each new label,
// it installs the factory once.
void installSkinLabelAccessibility();
