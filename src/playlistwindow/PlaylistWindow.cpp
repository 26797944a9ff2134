#include "playlistwindow/PlaylistWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include "model/Playback.h"
#include "model/PlaybackModel.h"
#include "model/PlayerActions.h"
#include "platform/MessageBoxes.h"
#include "skin/SkinFonts.h"
#include "util/MenuTable.h"
#include "util/Twips.h"

PlaylistWindow::PlaylistWindow(const QWidget& mainWindow, const Desktop& desktop,
                               PlaybackModel& model, Playback& playback, PlayerActions& actions,
                               MessageBoxes& messages)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      mainWindow_(mainWindow),
      desktop_(desktop),
      model_(model),
      playback_(playback),
      actions_(actions),
      messages_(messages) {
    setObjectName(QStringLiteral("PlaylistWindow"));
    setWindowTitle(QStringLiteral("Playlist"));
    // Docked under the main window, it comes and goes with it: the main window keeps the focus.
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    lines = new PlaylistLines(this);
    titleList = new PlaylistView(this);
    titleList->setObjectName(QStringLiteral("titleList"));
    titleList->setAccessibleName(QStringLiteral("Playlist"));
    titleList->setModel(lines);
    titleList->setUniformItemSizes(true);
    titleList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    titleList->setSelectionMode(QAbstractItemView::SingleSelection);
    titleList->setFrameShape(QFrame::NoFrame);
    titleList->setFont(skinfonts::font(skinfonts::Face::Tahoma, 8.25));
    QPalette listPal = titleList->palette();
    listPal.setColor(QPalette::Base, Qt::black);
    listPal.setColor(QPalette::Text, QColor(0x00, 0xFF, 0x00));
    titleList->setPalette(listPal);

    contextMenu = new QMenu(QStringLiteral("Popup1"), this);
    contextMenu->setObjectName(QStringLiteral("contextMenu"));
    playItem = new QAction(QStringLiteral("Track spielen"), this);
    trackInfoItem = new QAction(QStringLiteral("Infos zum Track"), this);
    // Not "Insert": from here the folder browser leaves the two windows disabled, not hidden.
    addFolderItem = new QAction(QStringLiteral("Verzeichnis hinzufügen"), this);
    addMenuItems(*contextMenu, {*playItem, *trackInfoItem, "-", *addFolderItem, actions.clear});

    // Loading takes the main window's width and sits under it until the docking places it.
    const double width = twips::width(mainWindow, desktop);
    twips::setGeometry(*this, twips::left(mainWindow, desktop),
                       twips::top(mainWindow, desktop) + twips::height(mainWindow, desktop), width,
                       kNormalHeight, desktop);
    twips::setGeometry(*titleList, 0, 0, width, kNormalListHeight, desktop);

    connect(titleList, &QAbstractItemView::doubleClicked, this, [this] { playSelected(true); });
    connect(titleList, &PlaylistView::keyDown, this, [this](int key) {
        if (key == Qt::Key_Delete) {
            removeSelected();
        } else if (key == Qt::Key_F3) {
            actions_.options.trigger();
        } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            playSelected(false);
        }
    });
    connect(titleList, &PlaylistView::rightPressed, this, &PlaylistWindow::openContextMenuAt);
    // Without a selected line the menu opens at the top: it also adds a folder or clears.
    connect(titleList, &PlaylistView::contextMenuKey, this, [this] {
        QPoint at;
        if (const int line = listIndex(); line >= 0) {
            const QModelIndex index = lines->index(line);
            titleList->scrollTo(index);
            at = titleList->visualRect(index).bottomLeft();
        }
        contextMenu->popup(titleList->viewport()->mapToGlobal(at));
    });
    // The count on the main window follows every change of the lines.
    const auto count = [this] { emit linesCounted(lineCount()); };
    connect(lines, &QAbstractItemModel::rowsInserted, this, count);
    connect(lines, &QAbstractItemModel::rowsRemoved, this, count);
    connect(lines, &QAbstractItemModel::modelReset, this, count);
    connect(playItem, &QAction::triggered, this, [this] { playSelected(true); });
    connect(addFolderItem, &QAction::triggered, this, &PlaylistWindow::addFolderRequested);
    connect(trackInfoItem, &QAction::triggered, this, &PlaylistWindow::trackInfoRequested);
    // A scan is over: its titles are added to the list.
    connect(&model, &PlaybackModel::playlistPublished, this,
            [this] { appendLines(model_.playlist().titles()); });
    // A step in the order selects the line of its entry (none outside the list).
    connect(&model, &PlaybackModel::trackStarted, this,
            [this](int entry, const QString& /*title*/, PlaybackModel::Start how) {
                if (how == PlaybackModel::Start::Step) {
                    setListIndex(entry - 1);
                }
            });
}

void PlaylistWindow::setEnlarged(bool enlarged) {
    twips::setHeight(*titleList, enlarged ? kEnlargedListHeight : kNormalListHeight, desktop_);
    twips::setHeight(*this, enlarged ? kEnlargedHeight : kNormalHeight, desktop_);
}

int PlaylistWindow::listIndex() const {
    const QModelIndexList selected = titleList->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void PlaylistWindow::setListIndex(int line) {
    if (line < 0 || line >= lineCount()) {
        titleList->clearSelection();
        return;
    }
    const QModelIndex index = lines->index(line);
    titleList->setCurrentIndex(index);
    titleList->scrollTo(index);
}

void PlaylistWindow::appendLines(const QStringList& titles) {
    if (!titles.isEmpty()) {
        lines->setStringList(lines->stringList() + titles);
    }
}

void PlaylistWindow::removeSelected() {
    const int line = listIndex();
    if (line == -1) {
        messages_.show(QStringLiteral("Keine Datei selektiert!"), QStringLiteral("Fehler"),
                       MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation);
        return;
    }
    lines->removeRows(line, 1);
    // As a list box does: after a removal no line is selected, so that a second Delete cannot
    // take the next entry unseen.
    titleList->clearSelection();
    model_.removeEntry(line + 1);
}

void PlaylistWindow::playSelected(bool startClock) {
    const int line = listIndex();
    playback_.playLine(line, line < 0 ? QString() : lines->stringList().at(line));
    if (startClock) {
        model_.runClock();
    }
}

void PlaylistWindow::openContextMenuAt(QPoint pos) {
    const QModelIndex index = titleList->indexAt(pos);
    if (!index.isValid()) {
        return;
    }
    setListIndex(index.row());
    contextMenu->popup(titleList->viewport()->mapToGlobal(pos));
}

void PlaylistWindow::keyPressEvent(QKeyEvent* event) {
    if (event->keyCombination() == QKeyCombination(Qt::Key_F6)) {
        emit mainWindowFocusRequested();
        return;
    }
    event->ignore();
    emit playerKeyPressed(event);
}

bool PlaylistWindow::event(QEvent* event) {
    // Brought forward while the main window is minimised: it goes down with it.
    if (event->type() == QEvent::WindowActivate &&
        mainWindow_.windowState().testFlag(Qt::WindowMinimized)) {
        setWindowState(windowState() | Qt::WindowMinimized);
        hide();
    }
    return QWidget::event(event);
}

void PlaylistWindow::closeEvent(QCloseEvent* event) {
    // Closed by the window system: unloaded like any other way, once this event is over.
    event->ignore();
    emit unloadRequested();
}
