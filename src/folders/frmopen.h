#pragma once

#include <QListWidget>
#include <QWidget>

class Program;

// The folder browser: the list of folders whose MP3 files make up the playlist.
class frmopen : public QWidget {
    Q_OBJECT
public:
    explicit frmopen(Program& program);

    QStringList folderList() const;
    void setFolderList(const QStringList& folders);
    // The folder the browser starts in; a folder that does not exist is ignored.
    void presetFolder(const QString& folder);
    const QString& currentFolder() const { return currentFolder_; }

    QListWidget* lstdirs;  // the folder list, in scan order

protected:
    // Until the browser can commit, closing it only brings the player's windows back.
    void closeEvent(QCloseEvent* event) override;

private:
    Program& program_;
    QString currentFolder_;
};
