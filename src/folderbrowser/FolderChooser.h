#pragma once

#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include "folderbrowser/Drives.h"
#include "folderbrowser/FolderNavigation.h"
#include "folderbrowser/FolderTree.h"

class Program;

// The standard-folder chooser: picks a standard MP3 folder by browsing. It keeps nothing of
// its own: the program creates it when it is opened and drops it when it closes.
class FolderChooser : public QWidget {
    Q_OBJECT
public:
    explicit FolderChooser(Program& program);

    // Shows the chooser above `opener`, which stays disabled until the chooser closes; its
    // lists follow on `folder`, or, when that cannot be listed, on the program's folder.
    void open(QWidget& opener, const QString& folder);

    void goToChosenDrive();
    void openFolder(const QString& folder);
    void takeFolder();
    void cancel();

    DriveList* driveBox;
    FolderTree* folderTree;
    QPushButton* okButton;
    QPushButton* cancelButton;

signals:
    // "OK": the folder the list shows.
    void chosen(const QString& folder);

protected:
    // The close box, "OK" and "Abbrechen" all end here.
    void closeEvent(QCloseEvent* event) override;

private:
    Program& program_;
    QPointer<QWidget> opener_;
    // Lists the folders away from the GUI thread; the lists change when they arrive.
    FolderNavigation* navigation_;
};
