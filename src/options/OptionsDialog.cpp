#include "options/OptionsDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "util/DialogKeys.h"
#include "util/FileMessages.h"
#include "util/OnScreen.h"

OptionsDialog::OptionsDialog(const Desktop& desktop, MessageBoxes& messages,
                             SettingsModel& settings)
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      desktop_(desktop),
      messages_(messages),
      settings_(settings) {
    setObjectName(QStringLiteral("OptionsDialog"));
    setWindowTitle(QStringLiteral("Optionen"));

    auto* general = new QGroupBox(QStringLiteral("Allgemeine Optionen"), this);
    confirmExitBox = new QCheckBox(QStringLiteral("Beenden bestätigen"), general);
    confirmExitBox->setToolTip(QStringLiteral(
        "Beim Beenden des Programms wird vorher noch ein Bestätigungsfenster angezeigt"));
    showPlaylistBox = new QCheckBox(QStringLiteral("Playlist bei Start zeigen"), general);
    showPlaylistBox->setToolTip(QStringLiteral("Zeigt die Playlist bei Programmstart an"));
    enlargePlaylistBox = new QCheckBox(QStringLiteral("Playlist erweitert zeigen"), general);
    enlargePlaylistBox->setToolTip(QStringLiteral("Zeigt die Playlist größer an"));
    auto* generalLayout = new QVBoxLayout(general);
    generalLayout->addWidget(confirmExitBox);
    generalLayout->addWidget(showPlaylistBox);
    generalLayout->addWidget(enlargePlaylistBox);

    auto* folder = new QGroupBox(QStringLiteral("Verzeichnis"), this);
    folderLabel = new QLabel(QStringLiteral("Standard-Verzeichnis der MP3"), folder);
    standardFolderEdit = new QLineEdit(folder);
    standardFolderEdit->setToolTip(
        QStringLiteral("In diesem Verzeichnis verwalten sie bevorzugt ihre MP3"));
    folderLabel->setBuddy(standardFolderEdit);  // names the field for screen readers
    chooseFolderButton = new QPushButton(QStringLiteral("..."), folder);
    chooseFolderButton->setAccessibleName(QStringLiteral("Standard-Verzeichnis wählen"));
    chooseFolderButton->setMaximumWidth(
        chooseFolderButton->fontMetrics().horizontalAdvance(chooseFolderButton->text()) * 3);
    auto* folderLayout = new QGridLayout(folder);
    folderLayout->addWidget(folderLabel, 0, 0, 1, 2);
    folderLayout->addWidget(standardFolderEdit, 1, 0);
    folderLayout->addWidget(chooseFolderButton, 1, 1);

    auto* other = new QGroupBox(QStringLiteral("Sonstiges"), this);
    popupBox = new QCheckBox(QStringLiteral("Quickinfo bei Trackwechsel zeigen"), other);
    keepPopupBox = new QCheckBox(QStringLiteral("Immer anzeigen"), other);
    keepPopupBox->setToolTip(QStringLiteral("Soll die Quickinfo immer angezeigt werden?"));
    // The note has its own place, kept while it is hidden: when it shows, nothing moves and
    // the dialog keeps its size (a button sliding under the pointer would take a double-click).
    changedNote = new QLabel(QStringLiteral("Einstellungen geändert!"), other);
    QSizePolicy notePolicy = changedNote->sizePolicy();
    notePolicy.setRetainSizeWhenHidden(true);
    changedNote->setSizePolicy(notePolicy);
    changedNote->hide();
    auto* otherLayout = new QVBoxLayout(other);
    otherLayout->addWidget(popupBox);
    otherLayout->addWidget(keepPopupBox);
    otherLayout->addWidget(changedNote);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    cancelButton = new QPushButton(QStringLiteral("Abbrechen"), this);
    applyButton = new QPushButton(QStringLiteral("Übernehmen"), this);
    noteTimer = new WindowTimer(5000, true, this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(applyButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(general);
    layout->addWidget(folder);
    layout->addWidget(other);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    optionBoxes_ = {{{showPlaylistBox, SettingsModel::ShowPlaylistAtStart},
                     {enlargePlaylistBox, SettingsModel::EnlargePlaylistAtStart},
                     {confirmExitBox, SettingsModel::ConfirmExit},
                     {popupBox, SettingsModel::PopupAtTrackChange},
                     {keepPopupBox, SettingsModel::KeepPopupOpen}}};
    showSettings();
    for (const auto& [box, option] : optionBoxes_) {
        connect(box, &QCheckBox::toggled, this, [this, option](bool on) {
            settings_.set(option, on);
            applyButton->setEnabled(true);
        });
    }
    // Typing does not count as a click.
    connect(standardFolderEdit, &QLineEdit::textChanged, &settings_,
            &SettingsModel::setEditedFolder);
    connect(&settings_, &SettingsModel::optionsChanged, this, &OptionsDialog::showSettings);

    // Enter in the folder box must not press a button of its own accord.
    for (QPushButton* button : {okButton, cancelButton, chooseFolderButton, applyButton}) {
        button->setAutoDefault(false);
    }
    connect(okButton, &QPushButton::clicked, this, [this] {
        storeAndApply();
        reject();
    });
    connect(cancelButton, &QPushButton::clicked, this, &OptionsDialog::reject);
    connect(chooseFolderButton, &QPushButton::clicked, this,
            [this] { emit folderChooserRequested(settings_.standardFolder()); });
    connect(applyButton, &QPushButton::clicked, this, &OptionsDialog::apply);
    connect(noteTimer, &WindowTimer::timeout, this, [this] {
        changedNote->hide();
        noteTimer->setEnabled(false);
    });
    answerDialogKeys(*this, nullptr);  // Escape is the dialog's own "Abbrechen"
}

void OptionsDialog::showSettings() {
    for (const auto& [box, option] : optionBoxes_) {
        box->setChecked(settings_.isOn(option));
    }
    // Enlarging and keeping open are offered only while what they belong to is on.
    enlargePlaylistBox->setEnabled(settings_.isOn(SettingsModel::ShowPlaylistAtStart));
    keepPopupBox->setEnabled(settings_.isOn(SettingsModel::PopupAtTrackChange));
    if (standardFolderEdit->text() != settings_.editedFolder()) {
        standardFolderEdit->setText(settings_.editedFolder());
    }
}

void OptionsDialog::storeAndApply() {
    // The settings still take effect when they cannot be stored; the user is told.
    if (!settings_.save()) {
        tellWriteFailed(messages_, settings_.path());
    }
    settings_.setStandardFolder(settings_.editedFolder());
}

void OptionsDialog::reject() {
    // Nothing is restored: the options stay as the user left them.
    emit holdingPlayerWindows(false);
    hide();
}

void OptionsDialog::takeChosenFolder(const QString& folder) {
    settings_.setEditedFolder(folder);
    applyButton->setEnabled(true);
}

void OptionsDialog::apply() {
    storeAndApply();
    applyButton->setEnabled(false);
    // The note stays its full five seconds, however long the timer had been running.
    noteTimer->setEnabled(false);
    noteTimer->setEnabled(true);
    changedNote->show();
}

void OptionsDialog::openFromSettings() {
    settings_.reread();
    // Centred once; a place the user gives it later is kept.
    if (!placed_) {
        placed_ = true;
        adjustSize();
        move(centredOnScreen(size(), desktop_));
        keepOnScreen(*this, desktop_);
    }
    show();
    raise();
    activateWindow();
    emit holdingPlayerWindows(true);
}
