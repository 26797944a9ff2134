#pragma once

#include <QListView>

// The playlist window's list: it reports the keys and the right-button presses that the
// window acts on. Keys it has no use for go on to the window.
class PlaylistView : public QListView {
    Q_OBJECT
public:
    using QListView::QListView;

signals:
    void keyDown(int key);
    void rightPressed(QPoint pos);
    // Shift+F10 or the menu key.
    void contextMenuKey();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
