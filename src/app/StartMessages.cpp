#include "app/StartMessages.h"

#include <unistd.h>
#include <QDir>
#include <cstdio>

#include "app/SingleFile.h"
#include "platform/MessageBoxes.h"

namespace {

void tellError(MessageBoxes& messages, const QString& text) {
    messages.show(text, QStringLiteral("Fehler"), MessageBoxes::Buttons::Ok,
                  MessageBoxes::Icon::Exclamation);
}

void sayOnStandardError(const QString& text) {
    std::fputs(QStringLiteral("brambleplayer: %1\n").arg(text).toLocal8Bit().constData(), stderr);
}

}  // namespace

void tellFileRefused(MessageBoxes& messages, FileRefusal refusal, const QString& path) {
    const QString text = refusalText(refusal, path);
    sayOnStandardError(text);
    tellError(messages, text);
}

void tellHandedFileRefused(MessageBoxes& messages, FileRefusal refusal, const QString& path) {
    if (isatty(STDIN_FILENO) != 0 || isatty(STDERR_FILENO) != 0) {
        sayOnStandardError(refusalText(refusal, path));
    } else {
        tellFileRefused(messages, refusal, path);
    }
}

void tellRunningCopySilent(MessageBoxes& messages) {
    tellError(messages, QStringLiteral("Der MP3-Brambleplayer läuft bereits, antwortet aber "
                                       "nicht. Er muss erst beendet werden."));
}

void tellUniquenessUnsure(MessageBoxes& messages, const QString& path) {
    tellError(messages,
              QStringLiteral("Es kann nicht sichergestellt werden, dass nur ein "
                             "MP3-Brambleplayer läuft: \"%1\" kann dafür nicht benutzt werden.")
                  .arg(QDir::toNativeSeparators(path)));
}
