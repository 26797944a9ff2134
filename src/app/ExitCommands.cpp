#include "app/ExitCommands.h"

#include <QCloseEvent>

#include "app/Program.h"

namespace {

// True when the user confirmed, or when no confirmation is wanted. The question is asked once
// at a time: while it is open (its box runs the event loop), another exit command brings it to
// the front instead of asking again.
bool confirmExit(Program& program) {
    if (!program.settings().isOn(SettingsModel::ConfirmExit)) {
        return true;
    }
    if (program.exitQuestionOpen) {
        program.messages().raiseOpen();
        return false;
    }
    program.exitQuestionOpen = true;
    const auto answer = program.messages().show(
        QStringLiteral("Soll das Programm beendet werden ?"), QStringLiteral("Programm beenden"),
        MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Critical);
    program.exitQuestionOpen = false;
    return answer == MessageBoxes::Answer::Yes;
}

}  // namespace

void exitCommand(Program& program) {
    if (confirmExit(program)) {
        program.endProcess();
    }
}

void confirmClose(Program& program, QCloseEvent* event) {
    if (confirmExit(program)) {
        program.endProcess();
    } else {
        event->ignore();
    }
}
