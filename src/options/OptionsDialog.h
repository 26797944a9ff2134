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
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(Program& program);

    // Check-box values as stored: 0 or 1.
    static int value(const QCheckBox& box) { return box.isChecked() ? 1 : 0; }
    // Sets a box; a change counts as a click, so the rules that tie the boxes together apply.
    static void setValue(QCheckBox& box, int value) { box.setChecked(value != 0); }

    // The settings' controls. Other windows use their values by design, and only these:
    // - all six: the settings file's readers and writers (SettingsHolders) fill and read them;
    // - enlargePlaylistBox, showPlaylistBox, standardFolderEdit: start-up opens the playlist
    //   window and takes the folder;
    // - confirmExitBox: the exit asks first;
    // - popupBox, keepPopupBox: a track change and the popup decide whether the popup shows
    //   and stays;
    // - standardFolderEdit and applyButton: the folder chooser fills in the folder and offers
    //   "Übernehmen".
    QCheckBox* confirmExitBox;
    QCheckBox* showPlaylistBox;
    QCheckBox* enlargePlaylistBox;
    QLabel* folderLabel;
    QLineEdit* standardFolderEdit;
    QPushButton* chooseFolderButton;
    QCheckBox* popupBox;
    QCheckBox* keepPopupBox;
    QPushButton* okButton;
    QPushButton* cancelButton;
    QPushButton* applyButton;
    QLabel* changedNote;
    WindowTimer* noteTimer;

    // Every opener: settings.cfg is read again into the controls (and the volume), then the
    // dialog shows and the player's windows are disabled.
    void openFromSettings();

    void acceptAndClose();
    void cancel();
    void chooseFolder();
    void apply();
    void hideNote();

    // Escape or a close request from the window system: the same as "Abbrechen".
    void reject() override;

    // "Always show" is only offered while the popup is on.
    void applyKeepPopupRule() const;

private:
    void showPlaylistToggled();
    void popupToggled();
    // Writes settings.cfg from the controls and makes the folder the one in use.
    void storeAndApply();
    void applyExpandRule() const;

    Program& program_;
    bool placed_ = false;
};
