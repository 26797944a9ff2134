#pragma once

#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include "folderbrowser/Drives.h"
#include "folderbrowser/FolderNavigation.h"
#include "folderbrowser/FolderTree.h"

class Desktop;
class FolderSource;
class MessageBoxes;

// The standard-folder chooser: picks a standard MP3 folder by browsing. It keeps nothing of
// its own: the program creates it when it is opened and drops it when it closes.
class FolderChooser : public QWidget {
    Q_OBJECT
public:
    // Folders are listed through `source`; `fallbackFolder` is shown when the folder it is
    // opened on cannot be listed.
    FolderChooser(const Desktop& desktop, MessageBoxes& messages,
                  std::shared_ptr<const FolderSource> source, QString fallbackFolder);

    // Shows the chooser above `opener`, which stays disabled until the chooser closes; its
    // lists follow on `folder`, or, when that cannot be listed, on the fallback folder.
    void open(QWidget& opener, const QString& folder);

    DriveList* driveBox;
    FolderTree* folderTree;
    QPushButton* okButton;
    QPushButton* cancelButton;

signals:
    // "OK": the folder the list shows.
    void chosen(const QString& folder);
    // Closed: the chooser is to be unloaded.
    void unloadRequested();

protected:
    // The close box, "OK" and "Abbrechen" all end here.
    void closeEvent(QCloseEvent* event) override;

private:
    QString fallbackFolder_;
    QPointer<QWidget> opener_;
    // Lists the folders away from the GUI thread; the lists change when they arrive.
    FolderNavigation* navigation_;
};
