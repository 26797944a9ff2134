#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

MessageBoxes::Answer QtMessageBoxes::show(const QString& text, const QString& title,
                                          Buttons buttons, Icon icon) {
    // Over the window the user is working in, not in the middle of the screen.
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    // Texts name files and folders: shown as written, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (icon) {
        case Icon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case Icon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case Icon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
    }
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* cancel = nullptr;
    switch (buttons) {
        case Buttons::Ok:
            box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            break;
        case Buttons::YesNo:
            yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
            no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
            box.setEscapeButton(no);
            break;
        case Buttons::YesNoCancel:
            yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
            no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
            cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
            box.setEscapeButton(cancel);
            break;
    }
    if (yes != nullptr) {
        box.setDefaultButton(yes);
    }
    open_.emplace_back(&box);
    box.exec();
    open_.pop_back();
    const auto* clicked = box.clickedButton();
    if (clicked == nullptr) {
        return buttons == Buttons::Ok ? Answer::Ok : (cancel ? Answer::Cancel : Answer::No);
    }
    if (clicked == yes) {
        return Answer::Yes;
    }
    if (clicked == no) {
        return Answer::No;
    }
    if (clicked == cancel) {
        return Answer::Cancel;
    }
    return Answer::Ok;
}

void QtMessageBoxes::raiseOpen() {
    if (!open_.empty() && open_.back()) {
        open_.back()->raise();
        open_.back()->activateWindow();
    }
}
