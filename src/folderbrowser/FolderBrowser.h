#pragma once

#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <memory>

#include "folderbrowser/Drives.h"
#include "folderbrowser/FolderListBox.h"
#include "folderbrowser/FolderNavigation.h"
#include "folderbrowser/FolderTree.h"
#include "platform/FileDialog.h"
#include "platform/MediaPlayer.h"
#include "skin/SkinLabel.h"

class Desktop;
class FolderSource;
class MessageBoxes;

// The folder browser: where the user collects the folders whose MP3 files make up the
// playlist. It browses drives and folders, previews a file with a player of its own, edits the
// folder list (folderListBox), saves and loads it, and commits it to folders.dat. Created hidden at
// start-up and only shown and hidden afterwards.
class FolderBrowser : public QWidget {
    Q_OBJECT
public:
    // Where the saved folder lists go: the save dialog opens in the program's folder (made
    // first where it is missing) or its Playlist folder, the load dialog in the latter.
    struct Folders {
        QString program;
        QString playlists;
        std::function<void()> makeProgramFolder;
    };

    // Folders are listed through `source`; the dialog saves and loads lists, the player plays
    // the preview (either may be missing).
    FolderBrowser(const Desktop& desktop, MessageBoxes& messages,
                  std::shared_ptr<const FolderSource> source, std::unique_ptr<FileDialog> dialog,
                  std::unique_ptr<MediaPlayer> preview, Folders folders);

    QStringList folderList() const { return folderListBox->entries(); }
    // Shows `folder` in the drive and folder lists once it is listed; a folder that cannot be
    // listed changes nothing and says nothing.
    void presetFolder(const QString& folder);
    // Writes the list to the file `dialog` returns, the dialog starting in initDir; false when
    // it was cancelled or the file could not be written (then the user was told, and the file
    // keeps its old content).
    bool saveListVia(FileDialog& dialog, const QString& initDir);

    void addHighlightedFolder();
    void stopPreview();
    void dragFolder(Qt::MouseButtons buttons, QPoint pos);
    // "Abbrechen" and every other way out: the window hides, the preview stops.
    void leave();
    void clearList();

    DriveList* driveBox;
    FolderTree* folderTree;
    // The MP3 files of the folder shown, in the order the scanner takes them.
    QListView* fileList;
    QStringListModel* fileNames;
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

protected:
    void showEvent(QShowEvent* event) override;
    // There is no close box; a close from the window system discards like "Abbrechen".
    void closeEvent(QCloseEvent* event) override;

signals:
    // The list is to be written to folders.dat and the playlist window made anew from it.
    void commitRequested();
    // The window was left: the folder list is to be read back from folders.dat and the player's
    // windows given back.
    void left();

private:
    void buildControls();
    void wireControls();
    // While no folder is shown: the home folder, else the root.
    void showFirstFolder();
    void showFiles(const QStringList& names);
    // Replaces the list with the records of a folder-list file; a file larger than a folder
    // list can be, or unreadable, changes nothing (the user is told). A list with more records
    // than that is loaded in part, and the user told where it was cut.
    void loadList(const QString& path);

    const Desktop& desktop_;
    MessageBoxes& messages_;
    std::shared_ptr<const FolderSource> source_;
    Folders folders_;
    // Lists the folders and files away from the GUI thread; the lists change when they arrive.
    FolderNavigation* navigation_;
    int dragPosition_ = -1;  // the line being dragged, -1 for none
};
