#include "app/EngineMessage.h"

#include "platform/MessageBoxes.h"

QString engineMissingText(const EngineStatus& status) {
    const QString library =
        QStringLiteral("Die Wiedergabe-Bibliothek libmpv (%1)").arg(status.library);
    QString reason;
    switch (status.failure) {
        case EngineStatus::Failure::None:
            return {};
        case EngineStatus::Failure::NotFound:
            reason = QStringLiteral("%1 wurde nicht gefunden.").arg(library);
            break;
        case EngineStatus::Failure::WrongInterface:
            reason = QStringLiteral(
                         "%1 hat eine Version mit einer anderen Schnittstelle, als der "
                         "Player sie braucht.")
                         .arg(library);
            break;
        case EngineStatus::Failure::NotStarted:
            reason = QStringLiteral("%1 wurde gefunden, konnte aber nicht gestartet werden.")
                         .arg(library);
            break;
    }
    // The loader's own words help whoever looks into it; the missing library says it all.
    if (status.failure != EngineStatus::Failure::NotFound && !status.detail.isEmpty()) {
        reason += QStringLiteral("\n(%1)").arg(status.detail);
    }
    return reason + QStringLiteral("\nDer Player läuft ohne Ton weiter.");
}

void tellEngineMissing(MessageBoxes& messages, const EngineStatus& status) {
    messages.show(engineMissingText(status), QStringLiteral("Fehler"), MessageBoxes::Buttons::Ok,
                  MessageBoxes::Icon::Exclamation);
}
