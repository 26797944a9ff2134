#pragma once

#include <QComboBox>
#include <QPushButton>
#include <QWidget>

#include "folderbrowser/Drives.h"
#include "folderbrowser/FolderNavigation.h"
#include "folderbrowser/FolderTree.h"

class Program;

// The standard-folder chooser: picks the options dialog's standard MP3 folder by browsing.
// It keeps nothing of its own: the program creates it when it is opened and drops it when it
// closes, and the options dialog stays disabled meanwhile.
class FolderChooser : public QWidget {
    Q_OBJECT
public:
    explicit FolderChooser(Program& program);

    // Shows the chooser, and disables the options dialog; its lists follow on the standard
    // folder in use (not the edited one), or, when that cannot be listed, on the program's
    // folder.
    void open();

    void goToChosenDrive();
    void openFolder(const QString& folder);
    void takeFolder();
    void cancel();

    DriveList* driveBox;
    FolderTree* folderTree;
    QPushButton* okButton;
    QPushButton* cancelButton;

protected:
    // The close box, "OK" and "Abbrechen" all end here.
    void closeEvent(QCloseEvent* event) override;

private:
    Program& program_;
    // Lists the folders away from the GUI thread; the lists change when they arrive.
    FolderNavigation* navigation_;
};
