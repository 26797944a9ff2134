#pragma once

#include <QStringListModel>

// The lines of the playlist window: one title each. A line's tooltip is its full text, so
// a title cut off by the window's width can still be read.
class PlaylistLines : public QStringListModel {
    Q_OBJECT
public:
    using QStringListModel::QStringListModel;

    QVariant data(const QModelIndex& index, int role) const override {
        return QStringListModel::data(index, role == Qt::ToolTipRole ? Qt::DisplayRole : role);
    }
};
