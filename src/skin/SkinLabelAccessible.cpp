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

SkinLabelAccessible::SkinLabelAccessible(SkinLabel* label)
    : QAccessibleWidget(label), label_(*label) {}

// Decided at each question, not once: Qt may describe a label before its handlers are
// connected. A clickable label that says nothing of itself is no button.
QAccessible::Role SkinLabelAccessible::role() const {
    if (label_.slider() != nullptr) {
        return QAccessible::Slider;
    }
    if (label_.isClickable() && !text(QAccessible::Name).isEmpty()) {
        return QAccessible::Button;
    }
    const bool image = !label_.pixmap().isNull() || label_.glyph() != SkinLabel::Glyph::None;
    return image ? QAccessible::Graphic : QAccessible::StaticText;
}

QAccessible::State SkinLabelAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = label_.isCheckable();
    state.checked = label_.isChecked();
    return state;
}

QString SkinLabelAccessible::text(QAccessible::Text t) const {
    const SkinSlider* const shown = label_.slider();
    // The desktop's accessibility bus of this Qt carries no value text: a slider that has one
    // tells it as its description too.
    if ((t == QAccessible::Value || t == QAccessible::Description) && shown != nullptr &&
        !shown->sliderText().isEmpty()) {
        return shown->sliderText();
    }
    if (t != QAccessible::Name || shown != nullptr) {
        return QAccessibleWidget::text(t);
    }
    QString tip = label_.toolTip();
    if (label_.isClickable() && !tip.isEmpty()) {
        return tip;
    }
    // The caption of a symbol is a character of a symbol font, no word.
    return label_.glyph() == SkinLabel::Glyph::None ? label_.caption() : QString();
}

void* SkinLabelAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface && label_.slider() != nullptr) {
        return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QVariant SkinLabelAccessible::currentValue() const {
    const SkinSlider* slider = label_.slider();
    return slider != nullptr ? QVariant(slider->sliderValue()) : QVariant();
}

void SkinLabelAccessible::setCurrentValue(const QVariant& value) {
    SkinSlider* slider = label_.slider();
    bool isNumber = false;
    const double wanted = value.toDouble(&isNumber);
    if (slider == nullptr || !isNumber || !std::isfinite(wanted) || !label_.isEnabled()) {
        return;
    }
    slider->moveSlider(wanted);
    slider->endSliderChange();
}

QVariant SkinLabelAccessible::maximumValue() const {
    const SkinSlider* slider = label_.slider();
    return slider != nullptr ? QVariant(slider->sliderMaximum()) : QVariant();
}

QVariant SkinLabelAccessible::minimumValue() const {
    return label_.slider() != nullptr ? QVariant(0.0) : QVariant();
}

QVariant SkinLabelAccessible::minimumStepSize() const {
    const SkinSlider* slider = label_.slider();
    return slider != nullptr ? QVariant(slider->sliderStep()) : QVariant();
}

QStringList SkinLabelAccessible::actionNames() const {
    QStringList names = QAccessibleWidget::actionNames();
    if (role() == QAccessible::Button) {
        names.prepend(pressAction());
    }
    return names;
}

void SkinLabelAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction() && role() == QAccessible::Button) {
        label_.click();
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
