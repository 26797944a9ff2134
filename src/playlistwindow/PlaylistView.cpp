#include "playlistwindow/PlaylistView.h"

#include <QKeyEvent>
#include <QMouseEvent>

void PlaylistView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Menu ||
        event->keyCombination() == QKeyCombination(Qt::SHIFT, Qt::Key_F10)) {
        emit contextMenuKey();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Delete:
        case Qt::Key_F3:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit keyDown(event->key());
            break;
        default:
            QListView::keyPressEvent(event);
            break;
    }
}

void PlaylistView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        emit rightPressed(event->position().toPoint());
        return;
    }
    QListView::mousePressEvent(event);
}
