#pragma once

#include <QColor>
#include <QWidget>

// A rectangle frame of the skin (the frames around the title-bar buttons).
class SkinFrame : public QWidget {
    Q_OBJECT
public:
    explicit SkinFrame(QWidget* parent = nullptr);
    void setBorderColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor borderColor_{Qt::white};
};

// A one-pixel line of the skin; it never takes the mouse.
class SkinLine : public QWidget {
    Q_OBJECT
public:
    explicit SkinLine(QWidget* parent = nullptr);
    void setColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_{Qt::white};
};
