#pragma once

#include <QColor>
#include <QWidget>

// A rectangle frame of the skin (the frames around the title-bar buttons), or a filled one (the
// one-pixel lines); it never takes the mouse.
class SkinFrame : public QWidget {
    Q_OBJECT
public:
    explicit SkinFrame(QWidget* parent = nullptr, bool filled = false);
    void setBorderColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor borderColor_{Qt::white};
    bool filled_;
};
