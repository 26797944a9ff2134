#include "skin/SkinLabelAccessible.h"

#include <cmath>

#include "skin/SkinLabel.h"
#include "skin/SkinSlider.h"

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
// connected. A clickable label that says nothing of itself is no button.
bool SkinLabelAccessible::actsAsButton() const {
    return label()->slider() == nullptr && label()->isClickable() &&
           !text(QAccessible::Name).isEmpty();
}

QAccessible::Role SkinLabelAccessible::role() const {
    if (label()->slider() != nullptr) {
        return QAccessible::Slider;
    }
    if (actsAsButton()) {
        return QAccessible::Button;
    }
    const bool image = !label()->pixmap().isNull() || label()->glyph() != SkinLabel::Glyph::None;
    return image ? QAccessible::Graphic : QAccessible::StaticText;
}

QAccessible::State SkinLabelAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = label()->isCheckable();
    state.checked = label()->isChecked();
    return state;
}

QString SkinLabelAccessible::text(QAccessible::Text t) const {
    const SkinSlider* const shown = label()->slider();
    // The desktop's accessibility bus of this Qt carries no value text: a slider that has one
    // tells it as its description too.
    if ((t == QAccessible::Value || t == QAccessible::Description) && shown != nullptr &&
        !shown->sliderText().isEmpty()) {
        return shown->sliderText();
    }
    if (t != QAccessible::Name) {
        return QAccessibleWidget::text(t);
    }
    if (const SkinSlider* slider = label()->slider()) {
        return slider->sliderName();
    }
    QString tip = label()->toolTip();
    if (label()->isClickable() && !tip.isEmpty()) {
        return tip;
    }
    // The caption of a symbol is a character of a symbol font, no word.
    return label()->glyph() == SkinLabel::Glyph::None ? label()->caption() : QString();
}

void* SkinLabelAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface && label()->slider() != nullptr) {
        return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QVariant SkinLabelAccessible::currentValue() const {
    const SkinSlider* slider = label()->slider();
    return slider != nullptr ? QVariant(slider->sliderValue()) : QVariant();
}

void SkinLabelAccessible::setCurrentValue(const QVariant& value) {
    SkinSlider* slider = label()->slider();
    bool isNumber = false;
    const double wanted = value.toDouble(&isNumber);
    if (slider == nullptr || !isNumber || !std::isfinite(wanted) || !label()->isEnabled()) {
        return;
    }
    slider->moveSlider(wanted);
    slider->endSliderChange();
}

QVariant SkinLabelAccessible::maximumValue() const {
    const SkinSlider* slider = label()->slider();
    return slider != nullptr ? QVariant(slider->sliderMaximum()) : QVariant();
}

QVariant SkinLabelAccessible::minimumValue() const {
    return label()->slider() != nullptr ? QVariant(0.0) : QVariant();
}

QVariant SkinLabelAccessible::minimumStepSize() const {
    const SkinSlider* slider = label()->slider();
    return slider != nullptr ? QVariant(slider->sliderStep()) : QVariant();
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
