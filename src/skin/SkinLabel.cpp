#include "skin/SkinLabel.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include "skin/SkinLabelAccessible.h"
#include "skin/SkinSlider.h"

namespace {

bool isPressKey(const QKeyEvent& event) {
    constexpr Qt::KeyboardModifiers kChords =
        Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const int key = event.key();
    return (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) &&
           (event.modifiers() & kChords) == 0;
}

bool isSliderKey(const QKeyEvent& event) {
    const int key = event.key();
    return (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home ||
            key == Qt::Key_End) &&
           (event.modifiers() & ~Qt::KeypadModifier) == 0;
}

}  // namespace

SkinLabel::SkinLabel(QWidget* parent) : QLabel(parent) {
    // Captions show names of files as they are written: never read as markup.
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(false);
    setMouseTracking(true);
    applyPalette();
    installSkinLabelAccessibility();
}

void SkinLabel::setAction(QAction& action) {
    connect(this, &SkinLabel::clicked, &action, &QAction::trigger);
    connect(&action, &QAction::enabledChanged, this, &QWidget::setEnabled);
    setEnabled(action.isEnabled());
}

void SkinLabel::click() {
    if (isEnabled()) {
        emit clicked();
    }
}

void SkinLabel::announceSliderValue() {
    if (slider_ != nullptr && QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, slider_->sliderValue());
        QAccessible::updateAccessibility(&event);
    }
}

void SkinLabel::setForeColor(const QColor& color) {
    foreColor_ = color;
    applyPalette();
}

void SkinLabel::setBackColor(const QColor& color) {
    const bool wasChecked = isChecked();
    backColor_ = color;
    setAutoFillBackground(color.isValid());
    applyPalette();
    if (isChecked() != wasChecked && QAccessible::isActive()) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void SkinLabel::setAutoSize(bool on) {
    autoSize_ = on;
    if (autoSize_) {
        adjustSize();
    }
}

void SkinLabel::setCaption(const QString& caption) {
    // Timers set the same caption again and again: that must cost no layout and no repaint.
    if (caption == text()) {
        return;
    }
    setText(caption);
    if (autoSize_ && glyph_ == Glyph::None) {
        adjustSize();
    }
    emit captionChanged();
}

void SkinLabel::setGlyph(Glyph glyph) {
    glyph_ = glyph;
    update();
}

void SkinLabel::applyPalette() {
    QPalette pal = palette();
    pal.setColor(QPalette::Active, QPalette::WindowText, foreColor_);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, foreColor_);
    // Disabled labels are drawn greyed, whatever their own colour.
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
    if (backColor_.isValid()) {
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            pal.setColor(group, QPalette::Window, backColor_);
        }
    }
    setPalette(pal);
}

void SkinLabel::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->button(), event->position());
}

void SkinLabel::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseUp(event->button());
    // A click is a left press released over the label; the label may have been hidden or
    // moved by the mouse-up handlers, so ask again.
    if (event->button() == Qt::LeftButton && isEnabled() &&
        rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void SkinLabel::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved();
    QLabel::mouseMoveEvent(event);
    // A move over a control is the control's own, never the window's.
    event->accept();
}

void SkinLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

void SkinLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && autoSize_ && glyph_ == Glyph::None) {
        adjustSize();
    }
    QLabel::changeEvent(event);
}

void SkinLabel::keyPressEvent(QKeyEvent* event) {
    if (slider_ != nullptr && isSliderKey(*event)) {
        moveSliderByKey(event->key());
        return;
    }
    if (slider_ == nullptr && isPressKey(*event)) {
        // Held down, the key repeats: the label stays pressed until it is let go.
        if (heldKey_ == 0 && !event->isAutoRepeat()) {
            heldKey_ = event->key();
            emit mouseDown(Qt::LeftButton, QRectF(rect()).center());
        }
        return;
    }
    QLabel::keyPressEvent(event);
}

void SkinLabel::keyReleaseEvent(QKeyEvent* event) {
    if (slider_ != nullptr && isSliderKey(*event)) {
        if (!event->isAutoRepeat()) {
            slider_->endSliderChange();
        }
        return;
    }
    if (heldKey_ != 0 && event->key() == heldKey_) {
        if (!event->isAutoRepeat()) {
            releaseKeyPress(true);
        }
        return;
    }
    QLabel::keyReleaseEvent(event);
}

void SkinLabel::moveSliderByKey(int key) {
    switch (key) {
        case Qt::Key_Left:
            slider_->moveSlider(slider_->sliderValue() - slider_->sliderStep());
            break;
        case Qt::Key_Right:
            slider_->moveSlider(slider_->sliderValue() + slider_->sliderStep());
            break;
        case Qt::Key_Home:
            slider_->moveSlider(0);
            break;
        default:  // End
            slider_->moveSlider(slider_->sliderMaximum());
            break;
    }
}

void SkinLabel::releaseKeyPress(bool click) {
    heldKey_ = 0;
    emit mouseUp(Qt::LeftButton);
    // Last: the click may hide the window or take the focus elsewhere.
    if (click && isEnabled()) {
        emit clicked();
    }
}

void SkinLabel::focusInEvent(QFocusEvent* event) {
    switch (event->reason()) {
        case Qt::ActiveWindowFocusReason:
        case Qt::PopupFocusReason:
            break;  // back to where the focus was, marked as it was
        case Qt::MouseFocusReason:
            keyboardFocus_ = false;
            break;
        default:
            keyboardFocus_ = true;
            break;
    }
    QLabel::focusInEvent(event);
    update();
}

void SkinLabel::takeKeyboardFocus() {
    keyboardFocus_ = true;
    setFocus(Qt::TabFocusReason);
    update();
}

void SkinLabel::focusOutEvent(QFocusEvent* event) {
    if (heldKey_ != 0) {
        releaseKeyPress(false);  // the look comes back; no click where the key was not let go
    }
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        keyboardFocus_ = false;
    }
    QLabel::focusOutEvent(event);
    update();
    // Qt has passed the focus on to the next in the Tab order; the partner, enabled or shown
    // by the same handler, takes it once that handler is done.
    if (focusPartner_ != nullptr && (!isEnabled() || !isVisible())) {
        QTimer::singleShot(0, focusPartner_, [partner = focusPartner_] {
            const QWidget* focus = QApplication::focusWidget();
            if (partner->isEnabled() && partner->isVisible() && focus != nullptr &&
                focus->window() == partner->window()) {
                partner->setFocus(Qt::TabFocusReason);
            }
        });
    }
}

void SkinLabel::paintEvent(QPaintEvent* event) {
    if (glyph_ == Glyph::None) {
        QLabel::paintEvent(event);
    } else {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        if (backColor_.isValid()) {
            painter.fillRect(rect(), backColor_);
        }
        paintGlyph(painter);
    }
    if (showsFocusMark()) {
        paintFocusMark();
    }
}

void SkinLabel::paintFocusMark() {
    // Every other pixel along the edge, inside a framed label's border with a pixel between.
    const int inset = frameWidth() > 0 ? frameWidth() + 1 : 0;
    const QRect edge = rect().adjusted(inset, inset, -inset, -inset);
    QPolygon dots;
    for (int x = edge.left(); x <= edge.right(); ++x) {
        for (const int y : {edge.top(), edge.bottom()}) {
            if ((x + y) % 2 == 0) {
                dots << QPoint(x, y);
            }
        }
    }
    for (int y = edge.top() + 1; y < edge.bottom(); ++y) {
        for (const int x : {edge.left(), edge.right()}) {
            if ((x + y) % 2 == 0) {
                dots << QPoint(x, y);
            }
        }
    }
    QPainter painter(this);
    painter.setPen(QPen(foreColor_, 0));
    painter.drawPoints(dots);
}

void SkinLabel::paintGlyph(QPainter& painter) const {
    const QColor color = isEnabled() ? foreColor_ : QColor(128, 128, 128);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    // The symbols sit in a square centred in the label, like a symbol-font character.
    const double side = std::min(width(), height()) * 0.62;
    const QRectF box((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    const auto triangle = [&painter](QPointF a, QPointF b, QPointF c) {
        QPainterPath path;
        path.moveTo(a);
        path.lineTo(b);
        path.lineTo(c);
        path.closeSubpath();
        painter.drawPath(path);
    };
    const auto triangleRight = [&triangle](const QRectF& r) {
        triangle(r.topLeft(), QPointF(r.right(), r.center().y()), r.bottomLeft());
    };
    const auto triangleLeft = [&triangle](const QRectF& r) {
        triangle(r.topRight(), QPointF(r.left(), r.center().y()), r.bottomRight());
    };
    switch (glyph_) {
        case Glyph::None:
            break;
        case Glyph::Play:
            triangleRight(box);
            break;
        case Glyph::Pause: {
            const double bar = side / 3.0;
            painter.drawRect(QRectF(box.left(), box.top(), bar, side));
            painter.drawRect(QRectF(box.right() - bar, box.top(), bar, side));
            break;
        }
        case Glyph::Stop:
            painter.drawRect(box.adjusted(1, 1, -1, -1));
            break;
        case Glyph::SkipBack: {
            const double bar = side / 6.0;
            painter.drawRect(QRectF(box.left(), box.top(), bar, side));
            const QRectF half(box.left() + bar, box.top(), (side - bar) / 2.0, side);
            triangleLeft(half);
            triangleLeft(half.translated(half.width(), 0));
            break;
        }
        case Glyph::SkipForward: {
            const double bar = side / 6.0;
            painter.drawRect(QRectF(box.right() - bar, box.top(), bar, side));
            const QRectF half(box.left(), box.top(), (side - bar) / 2.0, side);
            triangleRight(half);
            triangleRight(half.translated(half.width(), 0));
            break;
        }
        case Glyph::UpTriangle:
            triangle(box.bottomLeft(), QPointF(box.center().x(), box.top()), box.bottomRight());
            break;
        case Glyph::DownTriangle:
            triangle(box.topLeft(), QPointF(box.center().x(), box.bottom()), box.topRight());
            break;
    }
}

void chainTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (qobject_cast<SkinLabel*>(widget) != nullptr) {
            widget->setFocusPolicy(Qt::TabFocus);
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}
