#include "playlistwindow/PlaylistView.h"

#include <QKeyEvent>
#include <QMouseEvent>

void PlaylistView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Menu ||
        event->keyCombination() == QKeyCombination(Qt::SHIFT, Qt::Key_F10)) {
        emit contextMenuKey();
        return;
    }
    const int key = event->key();
    if (key == Qt::Key_Delete || key == Qt::Key_F3 || key == Qt::Key_Return ||
        key == Qt::Key_Enter) {
        emit keyDown(key);
    } else {
        QListView::keyPressEvent(event);
    }
}

void PlaylistView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        emit rightPressed(event->position().toPoint());
        return;
    }
    QListView::mousePressEvent(event);
}
