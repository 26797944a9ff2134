#include "app/Exit.h"

#include "app/Program.h"
#include "folderbrowser/FolderBrowser.h"
#include "mainwindow/MainWindow.h"

namespace {

// Stops the sound, removes the tray icon and ends the process without saving anything.
void endProcess(Program& program) {
    program.mainWindow().releasePlayers();
    if (FolderBrowser* browser = program.folderBrowserIfLoaded()) {
        browser->previewPlayer.reset();  // its sound stops at once
    }
    // No dead icon may stay behind in the notification area.
    const PlatformServices& services = program.services();
    if (services.trayIcon) {
        services.trayIcon->remove();
    }
    if (services.endProcess) {
        services.endProcess();
    }
}

}  // namespace

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
    endProcess(program);
    return true;
}
