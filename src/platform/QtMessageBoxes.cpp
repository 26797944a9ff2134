#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <array>

MessageBoxes::Answer QtMessageBoxes::show(const QString& text, const QString& title,
                                          Buttons buttons, Icon icon) {
    // Over the window the user is working in, not in the middle of the screen.
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    // Texts name files and folders: shown as written, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    // In the order of Icon.
    constexpr std::array kIcons{QMessageBox::NoIcon, QMessageBox::Critical, QMessageBox::Warning,
                                QMessageBox::Information};
    box.setIcon(kIcons.at(static_cast<std::size_t>(icon)));
    QPushButton* yes = nullptr;
    QPushButton* cancel = nullptr;
    if (buttons == Buttons::Ok) {
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    } else {
        yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
        QPushButton* const no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
        if (buttons == Buttons::YesNoCancel) {
            cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
        }
        box.setEscapeButton(cancel != nullptr ? cancel : no);
        box.setDefaultButton(yes);
    }
    open_.emplace_back(&box);
    box.exec();
    open_.pop_back();
    // A box closed without a button answers as Escape does.
    if (buttons == Buttons::Ok) {
        return Answer::Ok;
    }
    const QAbstractButton* clicked =
        box.clickedButton() != nullptr ? box.clickedButton() : box.escapeButton();
    if (clicked == yes) {
        return Answer::Yes;
    }
    return clicked == cancel ? Answer::Cancel : Answer::No;
}

void QtMessageBoxes::raiseOpen() {
    if (!open_.empty() && open_.back()) {
        open_.back()->raise();
        open_.back()->activateWindow();
    }
}
