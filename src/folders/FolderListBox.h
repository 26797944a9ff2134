#pragma once

#include <QListView>
#include <QStringList>

#include "playlist/PlaylistLines.h"

// The browser's folder list box: one folder path per line, each line's tooltip its full text.
// It reports the Delete key and the mouse with the line under it, after the list has taken the
// press (so a press has selected the pressed line); a move with a button held only reports.
class FolderListBox : public QListView {
    Q_OBJECT
public:
    explicit FolderListBox(QWidget* parent = nullptr);

    QStringList entries() const { return lines_->stringList(); }
    void setEntries(const QStringList& entries) { lines_->setStringList(entries); }
    int count() const { return lines_->rowCount(); }
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
    void keyDown(int key);
    void mouseDown(QPoint pos);
    void mouseMoved(Qt::MouseButtons buttons, QPoint pos);
    void mouseUp(QPoint pos);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PlaylistLines* lines_;
};
