#pragma once

#include <QColor>
#include <QLabel>
#include <QMetaMethod>
#include <QPointF>
#include <initializer_list>

class QAction;
class SkinSlider;

// A label of the skin that acts as a button: it reports presses with their position, draws
// transport symbols, and keeps its colours as plain values so that the order in force, shown in
// a colour, can be read back. Given the focus by the keyboard it shows a dotted frame in its
// text colour; Space or Return then press it as the mouse does, or move it as a slider.
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
    // A label whose state its colour holds, such as the active play order: it is checkable, and
    // checked while its back colour is `checkedBackColor`.
    void setCheckedBackColor(const QColor& color) { checkedBackColor_ = color; }
    bool isCheckable() const { return checkedBackColor_.isValid(); }
    bool isChecked() const { return isCheckable() && backColor_ == checkedBackColor_; }

    // Auto-size: the label takes the size of its caption whenever the caption changes.
    void setAutoSize(bool on);
    void setCaption(const QString& caption);
    QString caption() const { return text(); }

    void setGlyph(Glyph glyph);
    Glyph glyph() const { return glyph_; }

    // The command the label stands for: a click triggers it, and the label is enabled while the
    // action is.
    void setAction(QAction& action);
    // Whether a click does anything: some handler listens to it.
    bool isClickable() const {
        return isSignalConnected(QMetaMethod::fromSignal(&SkinLabel::clicked));
    }
    // Does what a left click does, for assistive technology; a disabled label ignores it.
    void click();

    // Makes the label a slider whose value, range and keys `slider` gives; it must outlive
    // the label. nullptr: a plain label again.
    void setSlider(SkinSlider* slider) { slider_ = slider; }
    SkinSlider* slider() const { return slider_; }
    // Tells a listening screen reader that the slider's value changed; costs next to nothing
    // while none listens.
    void announceSliderValue();
    // One of two labels that take turns, such as show and hide: when this one is disabled or
    // hidden while it has the focus, `partner` takes it.
    void setFocusPartner(SkinLabel* partner) { focusPartner_ = partner; }
    // The dotted frame shows: the label has the focus, and the keyboard put it there.
    bool showsFocusMark() const { return hasFocus() && keyboardFocus_; }
    // Takes the focus as the keyboard gives it, marked; in a window still waiting to be
    // activated, the mark shows once the activation brings the focus.
    void takeKeyboardFocus();

signals:
    // `pos` in pixels, within the label.
    void mouseDown(Qt::MouseButton button, QPointF pos);
    void mouseUp(Qt::MouseButton button);
    void mouseMoved();
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
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void applyPalette();
    void paintGlyph(QPainter& painter) const;
    void paintFocusMark();
    void moveSliderByKey(int key);
    // Lets go of a press held by Space or Return, clicking when `click`.
    void releaseKeyPress(bool click);

    QColor foreColor_{Qt::black};
    QColor backColor_;
    QColor checkedBackColor_;  // invalid: not checkable
    Glyph glyph_ = Glyph::None;
    bool autoSize_ = false;
    SkinSlider* slider_ = nullptr;
    SkinLabel* focusPartner_ = nullptr;
    bool keyboardFocus_ = false;
    int heldKey_ = 0;  // Space or Return holding the label pressed; 0: none
};

// Puts `widgets` one after the other in their window's Tab order. The skin labels among them
// take the focus from the keyboard only: a click leaves the focus where it was.
void chainTabOrder(std::initializer_list<QWidget*> widgets);
