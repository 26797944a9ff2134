#include "skin/SkinShapes.h"

#include <QPainter>

SkinFrame::SkinFrame(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SkinFrame::setBorderColor(const QColor& color) {
    borderColor_ = color;
    update();
}

void SkinFrame::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setPen(borderColor_);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

SkinLine::SkinLine(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SkinLine::setColor(const QColor& color) {
    color_ = color;
    update();
}

void SkinLine::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), color_);
}
