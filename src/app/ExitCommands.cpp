#include "app/ExitCommands.h"

#include "app/Program.h"

bool exitCommand(Program& program) {
    // The question is asked once at a time: while it is open (its box runs the event loop),
    // another exit command brings it to the front instead of asking again.
    if (program.settings().isOn(SettingsModel::ConfirmExit)) {
        if (program.exitQuestionOpen) {
            program.messages().raiseOpen();
            return false;
        }
        program.exitQuestionOpen = true;
        const auto answer =
            program.messages().show(QStringLiteral("Soll das Programm beendet werden ?"),
                                    QStringLiteral("Programm beenden"),
                                    MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Critical);
        program.exitQuestionOpen = false;
        if (answer != MessageBoxes::Answer::Yes) {
            return false;
        }
    }
    program.endProcess();
    return true;
}
