#include "app/FileMessages.h"

#include <QDir>
#include <QLocale>

#include "platform/FileNames.h"
#include "platform/MessageBoxes.h"
#include "playlist/ListFile.h"

void tellWriteFailed(MessageBoxes& messages, const QString& path) {
    messages.show(QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden.")
                      .arg(QDir::toNativeSeparators(path)),
                  QStringLiteral("Fehler"), MessageBoxes::Buttons::Ok,
                  MessageBoxes::Icon::Exclamation);
}

void tellReadFailed(MessageBoxes& messages, const QString& path) {
    messages.show(QStringLiteral("Die Datei \"%1\" konnte nicht gelesen werden.")
                      .arg(QDir::toNativeSeparators(path)),
                  QStringLiteral("Fehler"), MessageBoxes::Buttons::Ok,
                  MessageBoxes::Icon::Exclamation);
}

void tellListCut(MessageBoxes& messages, const QString& path, const ListFileContents& read) {
    if (!read.lostLines()) {
        return;
    }
    const QLocale german(QLocale::German, QLocale::Germany);
    const QString file = shownFileName(QDir::toNativeSeparators(path));
    QString text;
    if (read.cutShort) {
        text =
            QStringLiteral(
                "Die Verzeichnisliste \"%1\" ist länger als erlaubt (höchstens %2 "
                "Einträge und 1 MB) und wurde nach Zeile %3 abgeschnitten.")
                .arg(file, german.toString(kListFileMaxRecords), german.toString(read.linesRead));
    }
    if (read.overlongLines > 0) {
        text += read.cutShort ? QStringLiteral(" Außerdem wurden ")
                              : QStringLiteral("In der Verzeichnisliste \"%1\" wurden ").arg(file);
        text += read.overlongLines == 1
                    ? QStringLiteral("eine Zeile übergangen, die länger als 64 KB ist.")
                    : QStringLiteral("%1 Zeilen übergangen, die länger als 64 KB sind.")
                          .arg(german.toString(read.overlongLines));
    }
    text +=
        QStringLiteral(" Was fehlt, wird beim nächsten Speichern der Liste nicht mitgeschrieben.");
    messages.show(text, QStringLiteral("Fehler"), MessageBoxes::Buttons::Ok,
                  MessageBoxes::Icon::Exclamation);
}
