#include "platform/QtFileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// Whether a file of that name is among those the filter offers (every file without a filter).
bool offeredByFilter(const QString& name, const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    if (parts.size() < 2) {
        return true;
    }
    QStringList patterns;
    for (qsizetype i = 1; i < parts.size(); i += 2) {
        for (const QString& pattern : parts[i].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            patterns << pattern.trimmed();
        }
    }
    return QDir::match(patterns, name);
}

}  // namespace

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
    // It opens in its own folder; where that is missing, where the previous file lay. A file
    // chosen before, maybe by another kind of dialog, is offered again only where it lies in
    // that folder and passes the filter; a bare name preset by the caller always is.
    const QFileInfo preset(fileName);
    const QFileInfo folder(initDir);
    const bool ownFolder = !initDir.isEmpty() && folder.isDir();
    if (ownFolder) {
        dialog.setDirectory(initDir);
    } else if (!fileName.isEmpty() && preset.isAbsolute() && QFileInfo(preset.path()).isDir()) {
        dialog.setDirectory(preset.path());
    }
    const bool offered =
        !fileName.isEmpty() &&
        (!preset.isAbsolute() ||
         (ownFolder && QFileInfo(preset.path()).canonicalFilePath() == folder.canonicalFilePath() &&
          offeredByFilter(preset.fileName(), filter)));
    const QStringList nameFilters = toQtNameFilters(filter);
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
    }
    dialog.setDefaultSuffix(defaultExt);  // Qt drops a leading dot
    if (offered) {
        dialog.selectFile(fileName);
    }

    const bool accepted = dialog.exec() == QDialog::Accepted;
    const QStringList chosen = dialog.selectedFiles();
    // Callers take an empty name as "no choice".
    fileName = accepted && !chosen.isEmpty() ? chosen.first() : QString();
}
