#include "app/SettingsHolders.h"

#include "app/Program.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/VolumeControl.h"
#include "options/OptionsDialog.h"

Settings settingsFromHolders(Program& program) {
    options& o = program.optionsWindow();
    Settings s;
    s.optshowpl = options::value(*o.optshowpl);
    s.optexppl = options::value(*o.optexppl);
    s.optending = options::value(*o.optending);
    s.estfolder = o.estfolder->text();
    s.qinfo = options::value(*o.qinfo);
    s.alwaysshow = options::value(*o.alwaysshow);
    s.volume = program.form1().volumeSetting().value();
    return s;
}

void applyToHolders(Program& program, const SettingsRead& read) {
    options& o = program.optionsWindow();
    if (read.optshowpl) {
        options::setValue(*o.optshowpl, *read.optshowpl);
    }
    if (read.optexppl) {
        options::setValue(*o.optexppl, *read.optexppl);
    }
    if (read.optending) {
        options::setValue(*o.optending, *read.optending);
    }
    if (read.estfolder) {
        o.estfolder->setText(*read.estfolder);
    }
    if (read.qinfo) {
        options::setValue(*o.qinfo, *read.qinfo);
    }
    if (read.alwaysshow) {
        options::setValue(*o.alwaysshow, *read.alwaysshow);
    }
    if (read.volume) {
        program.form1().volume().setStoredVolume(*read.volume);
    }
}

VolumeRange volumeRange(Program& program) {
    // The values the slider itself gives, from its left end to its right end.
    return VolumeRange{0, program.form1().volumeSetting().span()};
}

bool saveSettings(Program& program) {
    program.makeProgramFolder();
    return writeSettings(program.settingsPath(), settingsFromHolders(program));
}
