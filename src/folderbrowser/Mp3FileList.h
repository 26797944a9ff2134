#pragma once

#include <QListView>
#include <QStringListModel>

// The file list of the browser: the MP3 files of one folder, in the order the scanner takes
// them.
class Mp3FileList : public QListView {
    Q_OBJECT
public:
    explicit Mp3FileList(QWidget* parent = nullptr);

    // Shows the MP3 files of a folder, as the folder's listing gave them.
    void setNames(const QStringList& names) { names_->setStringList(names); }
    int count() const { return names_->rowCount(); }
    QString fileName(int row) const;

signals:
    void fileClicked(const QString& name);

private:
    QStringListModel* names_;
};
