#include "platform/QtFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>

QStringList toQtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList nameFilters;
    // A description without a pattern after it offers nothing and is left out.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
        }
        patterns.removeAll(QString());
        if (patterns.isEmpty()) {
            continue;
        }
        // Qt takes the patterns from the last parentheses, so a description that names its
        // pattern in parentheses itself stays whole.
        nameFilters << parts[i].trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                           QLatin1Char(')');
    }
    return nameFilters;
}

void QtFileDialog::showOpen() {
    run(Mode::Open);
}

void QtFileDialog::showSave() {
    run(Mode::Save);
}

void QtFileDialog::run(Mode mode) {
    QFileDialog dialog(parent_);
    // Qt's own dialog on every desktop, so the default suffix, the overwrite question and the
    // filter texts behave alike everywhere.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (mode == Mode::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        // Qt asks before overwriting an existing file in this mode.
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    if (!dialogTitle.isEmpty()) {  // otherwise Qt's own "Öffnen" or "Speichern unter"
        dialog.setWindowTitle(dialogTitle);
    }
    if (!initDir.isEmpty() && QFileInfo(initDir).isDir()) {
        dialog.setDirectory(initDir);
    }
    const QStringList nameFilters = toQtNameFilters(filter);
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
    }
    QString suffix = defaultExt;
    if (suffix.startsWith(QLatin1Char('.'))) {
        suffix.remove(0, 1);
    }
    dialog.setDefaultSuffix(suffix);
    if (!fileName.isEmpty()) {
        dialog.selectFile(fileName);
    }

    const bool accepted = dialog.exec() == QDialog::Accepted;
    const QStringList chosen = dialog.selectedFiles();
    // Callers take an empty name as "no choice".
    fileName = accepted && !chosen.isEmpty() ? chosen.first() : QString();
}
