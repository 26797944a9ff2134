#pragma once

#include <QStringListModel>

#include "platform/NameToolTip.h"

// The lines of the playlist window: one title each. A line's tooltip is its full text, so
// a title cut off by the window's width can still be read.
class PlaylistLines : public QStringListModel {
    Q_OBJECT
public:
    using QStringListModel::QStringListModel;

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::ToolTipRole) {
            return nameToolTip(QStringListModel::data(index, Qt::DisplayRole).toString());
        }
        return QStringListModel::data(index, role);
    }
};
