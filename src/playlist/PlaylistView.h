#pragma once

#include <QListView>

// The playlist window's list: it reports the keys and the right-button presses that the
// window acts on.
class PlaylistView : public QListView {
    Q_OBJECT
public:
    using QListView::QListView;

signals:
    void keyDown(int key);
    void rightPressed(QPoint pos);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
