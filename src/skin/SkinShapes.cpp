#include "skin/SkinShapes.h"

#include <QPainter>

SkinFrame::SkinFrame(QWidget* parent, bool filled) : QWidget(parent), filled_(filled) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SkinFrame::setBorderColor(const QColor& color) {
    borderColor_ = color;
    update();
}

void SkinFrame::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (filled_) {
        painter.fillRect(rect(), borderColor_);
        return;
    }
    painter.setPen(borderColor_);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
