#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "skin/WindowTimer.h"

class Program;

// The options dialog. Its controls are the live settings that the rest of the program reads.
// While it is shown the main window and the playlist window are disabled, so it acts as modal;
// it is left only by "OK" or "Abbrechen".
class options : public QDialog {
    Q_OBJECT
public:
    explicit options(Program& program);

    // Check-box values as stored: 0 or 1.
    static int value(const QCheckBox& box) { return box.isChecked() ? 1 : 0; }
    // Sets a box; a change counts as a click, so the rules that tie the boxes together apply.
    static void setValue(QCheckBox& box, int value) { box.setChecked(value != 0); }

    // The settings' controls. Other windows use their values by design, and only these:
    // - all six: the settings file's readers and writers (SettingsHolders) fill and read them;
    // - optexppl, optshowpl, estfolder: start-up opens the playlist window and takes the folder;
    // - optending: the exit asks first;
    // - qinfo, alwaysshow: a track change and the popup decide whether the popup shows and stays;
    // - estfolder and Command4: the folder chooser fills in the folder and offers "Übernehmen".
    QCheckBox* optending;
    QCheckBox* optshowpl;
    QCheckBox* optexppl;
    QLabel* Label1;
    QLineEdit* estfolder;
    QPushButton* Command3;
    QCheckBox* qinfo;
    QCheckBox* alwaysshow;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command4;
    QLabel* Label3;
    FormTimer* Timer1;

    // Every opener: settings.cfg is read again into the controls (and the volume), then the
    // dialog shows and the player's windows are disabled.
    void openFromSettings();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Timer1_Timer();

    // Escape or a close request from the window system: the same as "Abbrechen".
    void reject() override;

    // "Always show" is only offered while the popup is on.
    void applyAlwaysShowRule() const;

private:
    void optshowpl_Click();
    void qinfo_Click();
    // Writes settings.cfg from the controls and makes the folder the one in use.
    void storeAndApply();
    void applyExpandRule() const;

    Program& program_;
    bool placed_ = false;
};
