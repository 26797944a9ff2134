#include "player/SkinLabelAccessible.h"

#include "player/SkinLabel.h"

namespace {

QAccessibleInterface* skinLabelInterface(const QString& /*className*/, QObject* object) {
    auto* label = qobject_cast<SkinLabel*>(object);
    return label != nullptr ? new SkinLabelAccessible(label) : nullptr;  // Qt owns it
}

}  // namespace

SkinLabelAccessible::SkinLabelAccessible(SkinLabel* label) : QAccessibleWidget(label) {}

SkinLabel* SkinLabelAccessible::label() const {
    return static_cast<SkinLabel*>(widget());
}

// Decided at each question, not once: Qt may describe a label before its handlers are
// connected. A clickable label that says nothing of itself (the position bar) is no button.
bool SkinLabelAccessible::actsAsButton() const {
    return label()->isClickable() && !text(QAccessible::Name).isEmpty();
}

QAccessible::Role SkinLabelAccessible::role() const {
    if (actsAsButton()) {
        return QAccessible::Button;
    }
    return label()->pixmap().isNull() ? QAccessible::StaticText : QAccessible::Graphic;
}

QString SkinLabelAccessible::text(QAccessible::Text t) const {
    if (t != QAccessible::Name) {
        return QAccessibleWidget::text(t);
    }
    QString tip = label()->toolTip();
    if (label()->isClickable() && !tip.isEmpty()) {
        return tip;
    }
    return label()->caption();
}

QStringList SkinLabelAccessible::actionNames() const {
    QStringList names = QAccessibleWidget::actionNames();
    if (actsAsButton()) {
        names.prepend(pressAction());
    }
    return names;
}

void SkinLabelAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction() && actsAsButton()) {
        label()->click();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

void installSkinLabelAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&skinLabelInterface);
        return true;
    }();
    static_cast<void>(installed);
}
