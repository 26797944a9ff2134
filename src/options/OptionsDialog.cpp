#include "options/OptionsDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/Program.h"
#include "app/SettingsHolders.h"
#include "folderbrowser/FolderChooser.h"
#include "mainwindow/MainWindow.h"
#include "options/OptionsOpeners.h"
#include "util/DialogKeys.h"
#include "util/FileMessages.h"
#include "util/OnScreen.h"

options::options(Program& program)
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      program_(program) {
    setObjectName(QStringLiteral("options"));
    setWindowTitle(QStringLiteral("Optionen"));

    auto* general = new QGroupBox(QStringLiteral("Allgemeine Optionen"), this);
    optending = new QCheckBox(QStringLiteral("Beenden bestätigen"), general);
    optending->setToolTip(QStringLiteral(
        "Beim Beenden des Programms wird vorher noch ein Bestätigungsfenster angezeigt"));
    optshowpl = new QCheckBox(QStringLiteral("Playlist bei Start zeigen"), general);
    optshowpl->setToolTip(QStringLiteral("Zeigt die Playlist bei Programmstart an"));
    optexppl = new QCheckBox(QStringLiteral("Playlist erweitert zeigen"), general);
    optexppl->setToolTip(QStringLiteral("Zeigt die Playlist größer an"));
    auto* generalLayout = new QVBoxLayout(general);
    generalLayout->addWidget(optending);
    generalLayout->addWidget(optshowpl);
    generalLayout->addWidget(optexppl);

    auto* folder = new QGroupBox(QStringLiteral("Verzeichnis"), this);
    Label1 = new QLabel(QStringLiteral("Standard-Verzeichnis der MP3"), folder);
    estfolder = new QLineEdit(folder);
    estfolder->setToolTip(QStringLiteral("In diesem Verzeichnis verwalten sie bevorzugt ihre MP3"));
    Label1->setBuddy(estfolder);  // names the field for screen readers
    Command3 = new QPushButton(QStringLiteral("..."), folder);
    Command3->setAccessibleName(QStringLiteral("Standard-Verzeichnis wählen"));
    Command3->setMaximumWidth(Command3->fontMetrics().horizontalAdvance(Command3->text()) * 3);
    auto* folderLayout = new QGridLayout(folder);
    folderLayout->addWidget(Label1, 0, 0, 1, 2);
    folderLayout->addWidget(estfolder, 1, 0);
    folderLayout->addWidget(Command3, 1, 1);

    auto* other = new QGroupBox(QStringLiteral("Sonstiges"), this);
    qinfo = new QCheckBox(QStringLiteral("Quickinfo bei Trackwechsel zeigen"), other);
    alwaysshow = new QCheckBox(QStringLiteral("Immer anzeigen"), other);
    alwaysshow->setToolTip(QStringLiteral("Soll die Quickinfo immer angezeigt werden?"));
    // The note has its own place, kept while it is hidden: when it shows, nothing moves and
    // the dialog keeps its size (a button sliding under the pointer would take a double-click).
    Label3 = new QLabel(QStringLiteral("Einstellungen geändert!"), other);
    QSizePolicy notePolicy = Label3->sizePolicy();
    notePolicy.setRetainSizeWhenHidden(true);
    Label3->setSizePolicy(notePolicy);
    Label3->hide();
    auto* otherLayout = new QVBoxLayout(other);
    otherLayout->addWidget(qinfo);
    otherLayout->addWidget(alwaysshow);
    otherLayout->addWidget(Label3);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    Command4 = new QPushButton(QStringLiteral("Übernehmen"), this);
    Timer1 = new FormTimer(5000, true, this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command4);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(general);
    layout->addWidget(folder);
    layout->addWidget(other);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // State before any settings are loaded.
    optending->setChecked(false);
    optshowpl->setChecked(true);
    optexppl->setChecked(true);
    qinfo->setChecked(true);
    alwaysshow->setChecked(false);
    alwaysshow->setEnabled(false);
    applyExpandRule();

    // A change of state, by the user or by loading a value, counts as a click.
    connect(optshowpl, &QCheckBox::stateChanged, this, &options::optshowpl_Click);
    connect(qinfo, &QCheckBox::stateChanged, this, &options::qinfo_Click);
    for (QCheckBox* box : {optending, optexppl, alwaysshow}) {
        connect(box, &QCheckBox::stateChanged, this, [this] { Command4->setEnabled(true); });
    }

    // Enter in the folder box must not press a button of its own accord.
    for (QPushButton* button : {Command1, Command2, Command3, Command4}) {
        button->setAutoDefault(false);
    }
    connect(Command1, &QPushButton::clicked, this, &options::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &options::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &options::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &options::Command4_Click);
    connect(Timer1, &FormTimer::timeout, this, &options::Timer1_Timer);
    answerDialogKeys(*this, nullptr);  // Escape is the dialog's own "Abbrechen"
}

void options::applyExpandRule() const {
    if (optshowpl->isChecked()) {
        optexppl->setEnabled(true);
    } else {
        optexppl->setChecked(false);
        optexppl->setEnabled(false);
    }
}

void options::applyAlwaysShowRule() const {
    if (qinfo->isChecked()) {
        alwaysshow->setEnabled(true);
    } else {
        alwaysshow->setChecked(false);
        alwaysshow->setEnabled(false);
    }
}

void options::optshowpl_Click() {
    applyExpandRule();
    Command4->setEnabled(true);
}

void options::qinfo_Click() {
    Command4->setEnabled(true);
    applyAlwaysShowRule();
}

void options::storeAndApply() {
    // The settings still take effect when they cannot be stored; the user is told.
    if (!saveSettings(program_)) {
        tellWriteFailed(program_.messages(), program_.settingsPath());
    }
    program_.form1().setStandardFolder(estfolder->text());
}

void options::Command1_Click() {
    storeAndApply();
    program_.releasePlayerWindows(this);
    hide();
}

void options::Command2_Click() {
    // Nothing is restored: the controls are the live settings as the user left them.
    program_.releasePlayerWindows(this);
    hide();
}

void options::reject() {
    Command2_Click();
}

void options::Command3_Click() {
    program_.frmdirWindow().open();
}

void options::Command4_Click() {
    storeAndApply();
    Command4->setEnabled(false);
    // The note stays its full five seconds, however long the timer had been running.
    Timer1->setEnabled(false);
    Timer1->setEnabled(true);
    Label3->show();
}

void options::Timer1_Timer() {
    Label3->hide();
    Timer1->setEnabled(false);
}

void options::openFromSettings() {
    rereadSettings(program_);
    // Centred once; a place the user gives it later is kept.
    if (!placed_) {
        placed_ = true;
        adjustSize();
        move(centredOnScreen(size(), program_.desktop()));
        keepOnScreen(*this, program_.desktop());
    }
    show();
    raise();
    activateWindow();
    program_.holdPlayerWindows(this);
}
