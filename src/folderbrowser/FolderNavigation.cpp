#include "folderbrowser/FolderNavigation.h"

#include "folderbrowser/Drives.h"
#include "folderbrowser/FolderTree.h"
#include "platform/FileNames.h"
#include "platform/FolderSource.h"

FolderContents listFolder(const FolderSource& source, const QString& folder, bool withMp3Names) {
    if (folder.isEmpty()) {
        return {};
    }
    // As text: a name that is not UTF-8 keeps its bytes.
    FolderContents contents{absoluteFilePath(folder), {}, {}};
    contents.subfolders = source.subfoldersOf(contents.path);
    if (contents.subfolders && withMp3Names) {
        const std::vector<QString> names = source.mp3NamesIn(contents.path);
        contents.mp3Names = QStringList(names.begin(), names.end());
    }
    return contents;
}

FolderNavigation::FolderNavigation(std::shared_ptr<const FolderSource> source,
                                   MessageBoxes& messages, QWidget& window, DriveList& drives,
                                   FolderTree& folders, bool withMp3Names)
    : QObject(&window),
      source_(std::move(source)),
      messages_(messages),
      drives_(drives),
      folders_(folders),
      withMp3Names_(withMp3Names),
      requests_(new LatestRequest(this)) {
    drives.setAccessibleName(QStringLiteral("Laufwerk"));
    drives.view()->setAccessibleName(QStringLiteral("Laufwerke"));
    folders.setAccessibleName(QStringLiteral("Verzeichnisse"));
    // An unreadable drive is told, and the drive list goes back to the drive of the folder shown.
    connect(&drives, &QComboBox::activated, this, [this] {
        goTo(drives_.currentText(), [this] {
            tellNoMedium(messages_);
            drives_.selectDriveOf(folders_.path());
        });
    });
    // A folder that has gone since it was listed is told.
    connect(&folders, &FolderTree::openRequested, this,
            [this](const QString& folder) { goTo(folder, [this] { tellNoMedium(messages_); }); });
    connect(requests_, &LatestRequest::busyChanged, &window, [&window](bool busy) {
        if (busy) {
            window.setCursor(Qt::BusyCursor);
        } else {
            window.unsetCursor();
        }
    });
}

void FolderNavigation::goTo(const QString& folder, std::function<void()> failed) {
    const auto list = [source = source_, folder, withMp3Names = withMp3Names_](std::stop_token) {
        return listFolder(*source, folder, withMp3Names);
    };
    requests_->start(list, [this, failed = std::move(failed)](const FolderContents& contents) {
        if (!contents.subfolders) {
            if (failed) {
                failed();
            }
            return;
        }
        folders_.setPath(contents.path, *contents.subfolders);
        drives_.selectDriveOf(folders_.path());
        emit moved(contents.mp3Names);
    });
}
