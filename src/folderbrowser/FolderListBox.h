#pragma once

#include <QListView>
#include <QStringList>
#include <QStringListModel>

// The lines of the folder list box. A line shows, and its tooltip tells, the full text of its
// entry up to the longest path a folder can have: what a file loaded as a folder list brings
// beyond that is no folder, and laying out a line of a megabyte would stall the window.
class FolderLines : public QStringListModel {
    Q_OBJECT
public:
    static constexpr qsizetype kShownChars = 4096;

    using QStringListModel::QStringListModel;
    QVariant data(const QModelIndex& index, int role) const override;
};

// The browser's folder list box: one folder path per line.
// It reports the Delete key and the mouse, after the list has taken the press (so a press has
// selected the pressed line); a move with a button held only reports.
class FolderListBox : public QListView {
    Q_OBJECT
public:
    explicit FolderListBox(QWidget* parent = nullptr);

    FolderLines* const lines;  // what the list shows, one entry per line

    QStringList entries() const { return lines->stringList(); }
    int count() const { return lines->rowCount(); }
    void append(const QString& entry);
    void removeEntry(int row);
    void swapEntries(int a, int b);

    // The selected line, -1 for none.
    int listIndex() const;
    void setListIndex(int row);
    // The line at a point of the viewport, -1 for none.
    int rowAt(QPoint pos) const;

signals:
    // Lines were added, removed or replaced.
    void countChanged();
    void deletePressed();
    void mouseDown();
    void mouseMoved(Qt::MouseButtons buttons, QPoint pos);
    void mouseUp();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
