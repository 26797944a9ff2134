#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "util/LatestRequest.h"

class DriveList;
class FolderTree;
class FolderSource;
class MessageBoxes;

// What a folder window shows of one folder.
struct FolderContents {
    QString path;                           // absolute and clean
    std::optional<QStringList> subfolders;  // nullopt: the folder cannot be listed
    QStringList mp3Names;                   // listed only when asked for
};

// Lists a folder (absolute, or relative to the working directory) through the source.
FolderContents listFolder(const FolderSource& source, const QString& folder, bool withMp3Names);

// How a folder window moves its drive and folder lists to another folder. The folder is listed
// on a worker, with the busy pointer on the window meanwhile, and the lists change when the
// listing arrives; a newer move, or any other request of the window's, supersedes one under
// way.
class FolderNavigation : public QObject {
    Q_OBJECT
public:
    // With mp3Names, each move lists the folder's MP3 files as well.
    // Folders are listed through `source`; what cannot be listed is told through `messages`.
    FolderNavigation(std::shared_ptr<const FolderSource> source, MessageBoxes& messages,
                     QWidget& window, DriveList& drives, FolderTree& folders, bool withMp3Names);

    // Makes `folder` current in the folder list, with the drive list following; when it cannot
    // be listed, calls failed() instead and changes nothing.
    void goTo(const QString& folder, std::function<void()> failed = {});
    // The window's listings, moves included, one at a time.
    LatestRequest& requests() { return *requests_; }

signals:
    // A move was made; the MP3 files of the folder gone to, when asked for.
    void moved(const QStringList& mp3Names);

private:
    std::shared_ptr<const FolderSource> source_;
    MessageBoxes& messages_;
    DriveList& drives_;
    FolderTree& folders_;
    bool withMp3Names_;
    LatestRequest* requests_;
};
