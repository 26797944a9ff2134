#include "util/FileMessages.h"

#include <QDir>

#include "platform/MessageBoxes.h"

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
