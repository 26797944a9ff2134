#pragma once

#include <QColor>
#include <QLabel>
#include <QPointF>

// A label of the skin that acts as a button: it reports presses and releases with the
// position in twips, draws transport symbols, and keeps its colours as plain values so that
// state held in a colour (an active play order, the enlarged playlist) can be read back.
class SkinLabel : public QLabel {
    Q_OBJECT
public:
    // Symbols drawn instead of the caption's characters.
    enum class Glyph { None, Play, Pause, Stop, SkipBack, SkipForward, UpTriangle, DownTriangle };

    explicit SkinLabel(QWidget* parent = nullptr);

    void setForeColor(const QColor& color);
    QColor foreColor() const { return foreColor_; }
    // An invalid colour means transparent.
    void setBackColor(const QColor& color);
    QColor backColor() const { return backColor_; }

    // Auto-size: the label takes the size of its caption whenever the caption changes.
    void setAutoSize(bool on);
    void setCaption(const QString& caption);
    QString caption() const { return text(); }

    void setGlyph(Glyph glyph);
    Glyph glyph() const { return glyph_; }

    void setTwipsPerPixel(double x, double y);

    // Whether a click does anything: some handler listens to it.
    bool isClickable() const;
    // Does what a left click does, for assistive technology; a disabled label ignores it.
    void click();

signals:
    void mouseDown(Qt::MouseButton button, QPointF twipsPos);
    void mouseUp(Qt::MouseButton button, QPointF twipsPos);
    void mouseMoved(Qt::MouseButtons buttons, QPointF twipsPos);
    void clicked();
    void doubleClicked();
    // setCaption() gave the label another text.
    void captionChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QPointF toTwips(const QPointF& pixels) const;
    void applyPalette();
    void paintGlyph(QPainter& painter) const;

    QColor foreColor_{Qt::black};
    QColor backColor_;
    Glyph glyph_ = Glyph::None;
    bool autoSize_ = false;
    double twipsPerPixelX_ = 15.0;
    double twipsPerPixelY_ = 15.0;
};
