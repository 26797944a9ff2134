#include "options/OptionsOpeners.h"

#include "app/Program.h"
#include "app/SettingsHolders.h"
#include "formats/SettingsFile.h"
#include "mainwindow/MainWindow.h"
#include "options/OptionsDialog.h"

void rereadSettings(Program& program) {
    applyToHolders(program, readSettings(program.settingsPath(), volumeRange(program)));
}

void wireOptionsOpeners(Program& program) {
    MainWindow& form = program.mainWindow();
    const auto open = [&program] { program.optionsDialog().openFromSettings(); };
    QObject::connect(&form, &MainWindow::optionsRequested, &form, open);
}
