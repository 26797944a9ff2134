#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <utility>

#include "model/SettingsModel.h"
#include "skin/WindowTimer.h"

class Desktop;
class MessageBoxes;

// The options dialog. Its boxes and its folder field show the settings model and edit it as
// they change: an option takes effect at once, and stays so on "Abbrechen"; the standard
// folder comes into use, and settings.cfg is written, only by "OK" and "Übernehmen". While it
// is shown the main window and the playlist window are disabled, so it acts as modal; it is
// left only by "OK" or "Abbrechen".
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(const Desktop& desktop, MessageBoxes& messages, SettingsModel& settings);

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

    // Every opener: settings.cfg is read again into the settings, the volume included, then
    // the dialog shows and the player's windows are disabled.
    void openFromSettings();

    void apply();
    // The folder chooser's "OK".
    void takeChosenFolder(const QString& folder);

    // "Abbrechen", Escape or a close request from the window system.
    void reject() override;

signals:
    // Shown, or left: the main window and the playlist window are to be disabled while it is
    // shown.
    void holdingPlayerWindows(bool holding);
    // "...": a folder chooser above the dialog, opened on `folder`.
    void folderChooserRequested(const QString& folder);

private:
    // The boxes and the field follow the settings. A box that changes, whoever changed it,
    // counts as a click: it enables "Übernehmen".
    void showSettings();
    // Writes settings.cfg and makes the folder the one in use.
    void storeAndApply();

    const Desktop& desktop_;
    MessageBoxes& messages_;
    SettingsModel& settings_;
    std::array<std::pair<QCheckBox*, SettingsModel::Option>, 5> optionBoxes_;
    bool placed_ = false;
};
