#pragma once

#include "platform/FileDialog.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

// Turns "Description|pattern[|Description|pattern...]" (patterns separated by ';') into Qt name
// filters "Description (patterns)". Shown with QFileDialog::HideNameFilterDetails, each reads
// as its description.
QStringList toQtNameFilters(const QString& filter);

// QFileDialog, built afresh for each show and run modally.
class QtFileDialog : public FileDialog {
public:
    explicit QtFileDialog(QWidget* parent = nullptr) : parent_(parent) {}

    void showOpen() override;
    void showSave() override;

private:
    enum class Mode { Open, Save };
    void run(Mode mode);

    QPointer<QWidget> parent_;  // the window the dialog is centred on; may go away first
};
