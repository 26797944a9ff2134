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
    Form1& form = program.form1();
    const auto open = [&program] { program.optionsWindow().openFromSettings(); };
    QObject::connect(&form, &Form1::optionsRequested, &form, open);
}
