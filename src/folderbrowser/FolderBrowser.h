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
// folder list lstdirs, saves and loads it, and commits it to folders.dat. Created hidden at
// start-up and only shown and hidden afterwards.
class frmopen : public QWidget {
    Q_OBJECT
public:
    explicit frmopen(Program& program);
    ~frmopen() override;

    QStringList folderList() const { return lstdirs->entries(); }
    void setFolderList(const QStringList& folders) { lstdirs->setEntries(folders); }
    // Shows `folder` in the drive and folder lists once it is listed; a folder that cannot be
    // listed changes nothing and says nothing.
    void presetFolder(const QString& folder);
    // Destroys the preview player, so that its sound stops at once.
    void releasePreview();

    void Drive1_Change();
    void Dir1_Change();
    void Dir1_Open(const QString& folder);
    void File1_Click(const QString& name);
    void Label2_Click();
    void Label4_Click();
    void Label5_Click();
    void lstdirs_KeyDown(int key);
    void lstdirs_MouseDown(QPoint pos);
    void lstdirs_MouseMove(Qt::MouseButtons buttons, QPoint pos);
    void lstdirs_MouseUp();
    void Timer1_Timer();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

    DriveList* Drive1;
    FolderList* Dir1;
    Mp3FileList* File1;
    QLabel* Label3;  // how many MP3 files the current folder holds
    SkinLabel* Label2;
    QLabel* Label1;
    FolderListBox* lstdirs;  // the folder list, in scan order
    SkinLabel* Label4;
    SkinLabel* Label5;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command5;
    std::unique_ptr<FileDialog> CommonDialog1;
    std::unique_ptr<MediaPlayer> MediaPlayer1;  // the preview, apart from the main player
    FormTimer* Timer1;

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
    void stopPreview();
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
