#pragma once

#include <QIcon>
#include <QListWidget>
#include <QString>

// The folder list of the browser: the folders from the root down to the current one, then the
// folders inside the current one. A click highlights an entry; a double click or Enter asks to
// make it the current folder.
class FolderTree : public QListWidget {
    Q_OBJECT
public:
    explicit FolderTree(QWidget* parent = nullptr);

    // The current folder; "" until one was set.
    const QString& path() const { return path_; }
    // Makes the folder (absolute and clean) the current folder, holding `subfolders`, and
    // highlights it. The folder is listed beforehand, away from the GUI thread.
    void setPath(const QString& absolute, const QStringList& subfolders);
    // The highlighted entry's full path; the current folder's when nothing is highlighted.
    QString highlightedPath() const;

signals:
    // An entry was clicked: it is highlighted, the current folder stays.
    void clicked();
    // The user asked to go into this folder.
    void openRequested(const QString& folder);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void addEntry(const QString& fullPath, const QString& name, int depth, const QIcon& icon);

    QString path_;
};
