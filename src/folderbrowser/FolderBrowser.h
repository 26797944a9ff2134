#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <memory>

#include "folderbrowser/Drives.h"
#include "folderbrowser/FolderListBox.h"
#include "folderbrowser/FolderNavigation.h"
#include "folderbrowser/FolderTree.h"
#include "folderbrowser/Mp3FileList.h"
#include "platform/FileDialog.h"
#include "platform/MediaPlayer.h"
#include "skin/SkinLabel.h"
#include "skin/WindowTimer.h"

class Program;

// The folder browser: where the user collects the folders whose MP3 files make up the
// playlist. It browses drives and folders, previews a file with a player of its own, edits the
// folder list (folderListBox), saves and loads it, and commits it to folders.dat. Created hidden at
// start-up and only shown and hidden afterwards.
class FolderBrowser : public QWidget {
    Q_OBJECT
public:
    explicit FolderBrowser(Program& program);
    ~FolderBrowser() override;

    QStringList folderList() const { return folderListBox->entries(); }
    void setFolderList(const QStringList& folders) { folderListBox->setEntries(folders); }
    // Shows `folder` in the drive and folder lists once it is listed; a folder that cannot be
    // listed changes nothing and says nothing.
    void presetFolder(const QString& folder);
    // Destroys the preview player, so that its sound stops at once.
    void releasePreview();

    void goToChosenDrive();
    void listFolderFiles();
    void openFolder(const QString& folder);
    void loadPreview(const QString& name);
    void addHighlightedFolder();
    void playPreview();
    void stopPreview();
    void removeOnDelete(int key);
    void startDrag(QPoint pos);
    void dragFolder(Qt::MouseButtons buttons, QPoint pos);
    void endDrag();
    void updateCommitButton();
    void commit();
    void discard();
    void saveList();
    void clearList();
    void chooseAndLoadList();

    DriveList* driveBox;
    FolderTree* folderTree;
    Mp3FileList* fileList;
    QLabel* fileCount;  // how many MP3 files the current folder holds
    SkinLabel* addButton;
    QLabel* listCaption;
    FolderListBox* folderListBox;  // the folder list, in scan order
    SkinLabel* previewPlayButton;
    SkinLabel* previewStopButton;
    QPushButton* commitButton;
    QPushButton* cancelButton;
    QPushButton* saveButton;
    QPushButton* clearButton;
    QPushButton* loadButton;
    std::unique_ptr<FileDialog> fileDialog;
    std::unique_ptr<MediaPlayer> previewPlayer;  // the preview, apart from the main player
    WindowTimer* buttonTimer;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // There is no close box; a close from the window system discards like "Abbrechen".
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void wireControls();
    void placeTwips(QWidget& control, double left, double top, double width, double height);
    // While no folder is shown: the home folder, else the root.
    void showFirstFolder();
    void showFiles(const QStringList& names);
    void unloadPreview();
    // Writes the list to the file the save dialog returns; false when it was cancelled or the
    // file could not be written (then the user was told).
    bool saveListVia(const QString& initDir);
    // Replaces the list with the records of a folder-list file; a file larger than a folder
    // list can be, or unreadable, changes nothing (the user is told). A list with more records
    // than that is loaded in part, and the user told where it was cut.
    void loadList(const QString& path);
    void closingSteps();
    void giveMainWindowsBack();

    Program& program_;
    // Lists the folders and files away from the GUI thread; the lists change when they arrive.
    FolderNavigation* navigation_;
    int dragPosition_ = -1;  // the line being dragged, -1 for none
};
