#include "folderbrowser/FolderChooser.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QStringList>
#include <QWindow>

#include "app/Program.h"
#include "folderbrowser/Drives.h"
#include "mainwindow/MainWindow.h"
#include "options/OptionsDialog.h"
#include "util/DialogKeys.h"
#include "util/OnScreen.h"
#include "util/Twips.h"

namespace {

// Client area in twips.
constexpr double kChooserWidth = 4095;
constexpr double kChooserHeight = 4005;

}  // namespace

frmdir::frmdir(Program& program)
    : QWidget(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      program_(program) {
    setObjectName(QStringLiteral("frmdir"));
    setWindowTitle(QStringLiteral("Standard-Verzeichnis wählen"));

    const Desktop& d = program.desktop();
    centreOnScreenTwips(*this, kChooserWidth, kChooserHeight, d);
    setFixedSize(size());

    Drive1 = new DriveList(this);
    Drive1->setAccessibleName(QStringLiteral("Laufwerk"));
    Drive1->view()->setAccessibleName(QStringLiteral("Laufwerke"));
    twips::setGeometry(*Drive1, 120, 120, 3855, 315, d);
    Dir1 = new FolderList(this);
    Dir1->setAccessibleName(QStringLiteral("Verzeichnisse"));
    twips::setGeometry(*Dir1, 120, 495, 3855, 2895, d);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    twips::setGeometry(*Command1, 120, 3510, 1815, 375, d);
    Command2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    twips::setGeometry(*Command2, 2160, 3510, 1815, 375, d);

    navigation_ = new FolderNavigation(program, *this, *Drive1, *Dir1, false);
    // No folder to take until the first listing has come.
    Command1->setEnabled(false);
    connect(navigation_, &FolderNavigation::moved, Command1,
            [this] { Command1->setEnabled(true); });
    connect(Drive1, &QComboBox::activated, this, &frmdir::Drive1_Change);
    connect(Dir1, &FolderList::openRequested, this, &frmdir::Dir1_Open);
    connect(Command1, &QPushButton::clicked, this, &frmdir::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmdir::Command2_Click);
    answerDialogKeys(*this, [this] { Command2_Click(); });
}

void frmdir::open() {
    Drive1->refresh();
    navigation_->goTo(program_.form1().standardFolder(), [this] {
        navigation_->goTo(program_.programFolder(),
                          [this] { navigation_->goTo(QStringLiteral("/")); });
    });
    // Kept above the disabled options dialog and modal to it: a click on that must neither
    // bury the chooser, the dialog's only way out, nor take the keys from it.
    options& dialog = program_.optionsWindow();
    winId();
    windowHandle()->setTransientParent(dialog.windowHandle());
    setWindowModality(Qt::WindowModal);
    show();
    raise();
    activateWindow();
    dialog.setEnabled(false);
}

void frmdir::Drive1_Change() {
    navigation_->goToChosenDrive();
}

void frmdir::Dir1_Open(const QString& folder) {
    navigation_->open(folder);
}

void frmdir::Command1_Click() {
    options& dialog = program_.optionsWindow();
    dialog.estfolder->setText(Dir1->path());
    dialog.Command4->setEnabled(true);
    close();
}

void frmdir::Command2_Click() {
    close();
}

void frmdir::closeEvent(QCloseEvent* event) {
    program_.optionsWindow().setEnabled(true);
    QWidget::closeEvent(event);
    program_.unloadFrmdir();
}
