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
class frmdir : public QWidget {
    Q_OBJECT
public:
    explicit frmdir(Program& program);

    // Shows the chooser, and disables the options dialog; its lists follow on the standard
    // folder in use (not the edited one), or, when that cannot be listed, on the program's
    // folder.
    void open();

    void Drive1_Change();
    void Dir1_Open(const QString& folder);
    void Command1_Click();
    void Command2_Click();

    DriveList* Drive1;
    FolderList* Dir1;
    QPushButton* Command1;
    QPushButton* Command2;

protected:
    // The close box, "OK" and "Abbrechen" all end here.
    void closeEvent(QCloseEvent* event) override;

private:
    Program& program_;
    // Lists the folders away from the GUI thread; the lists change when they arrive.
    FolderNavigation* navigation_;
};
