#include "util/DialogKeys.h"

#include <QKeyEvent>
#include <QPushButton>
#include <utility>

namespace {

class DialogKeys : public QObject {
public:
    DialogKeys(QWidget& window, std::function<void()> escape)
        : QObject(&window), window_(window), escape_(std::move(escape)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
            return false;
        }
        if (auto* button = qobject_cast<QPushButton*>(watched);
            button != nullptr && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)) {
            if (!key.isAutoRepeat()) {  // held down, it presses once
                button->click();
            }
            return true;
        }
        if (watched == &window_ && key.key() == Qt::Key_Escape && escape_) {
            escape_();
            return true;
        }
        return false;
    }

private:
    QWidget& window_;
    std::function<void()> escape_;
};

}  // namespace

void answerDialogKeys(QWidget& window, std::function<void()> escape) {
    auto* keys = new DialogKeys(window, std::move(escape));
    window.installEventFilter(keys);
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        button->installEventFilter(keys);
    }
}
