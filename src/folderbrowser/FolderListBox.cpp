#include "folderbrowser/FolderListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/FileNames.h"
#include "platform/NameToolTip.h"

QVariant FolderLines::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return QStringListModel::data(index, role);
    }
    const QString text = shownFileName(QStringListModel::data(index, Qt::DisplayRole).toString());
    const QString shown =
        text.size() > kShownChars ? text.first(kShownChars) + QChar(0x2026) : text;
    return role == Qt::ToolTipRole ? nameToolTip(shown) : shown;
}

FolderListBox::FolderListBox(QWidget* parent) : QListView(parent), lines(new FolderLines(this)) {
    setModel(lines);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    for (const auto change :
         {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(lines, change, this, &FolderListBox::countChanged);
    }
    connect(lines, &QAbstractItemModel::modelReset, this, &FolderListBox::countChanged);
}

void FolderListBox::append(const QString& entry) {
    const int row = count();
    lines->insertRows(row, 1);
    lines->setData(lines->index(row), entry);
}

void FolderListBox::removeEntry(int row) {
    lines->removeRows(row, 1);
    // As a list box does: after a removal no line is selected.
    setListIndex(-1);
}

void FolderListBox::swapEntries(int a, int b) {
    // Edit role: the whole text, not what a line shows of it.
    const QModelIndex first = lines->index(a);
    const QModelIndex second = lines->index(b);
    const QVariant text = lines->data(first, Qt::EditRole);
    lines->setData(first, lines->data(second, Qt::EditRole));
    lines->setData(second, text);
}

int FolderListBox::listIndex() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void FolderListBox::setListIndex(int row) {
    if (row < 0 || row >= count()) {
        clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    setCurrentIndex(lines->index(row));
}

int FolderListBox::rowAt(QPoint pos) const {
    const QModelIndex index = indexAt(pos);
    return index.isValid() ? index.row() : -1;
}

void FolderListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete) {
        emit deletePressed();
        return;
    }
    QListView::keyPressEvent(event);
}

void FolderListBox::mousePressEvent(QMouseEvent* event) {
    QListView::mousePressEvent(event);
    emit mouseDown();
}

void FolderListBox::mouseMoveEvent(QMouseEvent* event) {
    // With a button held the window moves the pressed line itself; the list's own drag
    // selection would fight it.
    if (event->buttons() == Qt::NoButton) {
        QListView::mouseMoveEvent(event);
    }
    emit mouseMoved(event->buttons(), event->position().toPoint());
}

void FolderListBox::mouseReleaseEvent(QMouseEvent* event) {
    QListView::mouseReleaseEvent(event);
    emit mouseUp();
}
