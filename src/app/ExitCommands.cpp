#include "app/ExitCommands.h"

#include <QCloseEvent>

#include "app/Program.h"
#include "windows/options.h"

namespace {

// True when the user confirmed, or when no confirmation is wanted.
bool confirmExit(Program& program) {
    if (options::value(*program.optionsWindow().optending) != 1) {
        return true;
    }
    const auto answer = program.messages().show(
        QStringLiteral("Soll das Programm beendet werden ?"), QStringLiteral("Programm beenden"),
        MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Critical);
    return answer == MessageBoxes::Answer::Yes;
}

}  // namespace

void exitCommand(Program& program) {
    if (confirmExit(program)) {
        program.endProcess();
    }
}

void Form_QueryUnload(Program& program, QCloseEvent* event) {
    if (confirmExit(program)) {
        program.endProcess();
    } else {
        event->ignore();
    }
}
