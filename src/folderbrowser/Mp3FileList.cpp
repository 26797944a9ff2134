#include "folderbrowser/Mp3FileList.h"

Mp3FileList::Mp3FileList(QWidget* parent) : QListView(parent), names_(new QStringListModel(this)) {
    setModel(names_);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { emit fileClicked(fileName(index.row())); });
}

QString Mp3FileList::fileName(int row) const {
    return names_->data(names_->index(row), Qt::DisplayRole).toString();
}
