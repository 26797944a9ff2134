#include "playlistwindow/PlaylistWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include "app/Program.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PlayerKeys.h"
#include "model/Playback.h"
#include "options/OptionsDialog.h"
#include "playlistwindow/PlaylistCommands.h"
#include "playlistwindow/TrackInfoWindow.h"
#include "skin/SkinFonts.h"
#include "util/MenuTable.h"
#include "util/Twips.h"

PlaylistWindow::PlaylistWindow(Program& program)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), program_(program) {
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

    countTimer = new WindowTimer(500, true, this);

    contextMenu = new QMenu(QStringLiteral("Popup1"), this);
    contextMenu->setObjectName(QStringLiteral("contextMenu"));
    playItem = new QAction(QStringLiteral("Track spielen"), this);
    trackInfoItem = new QAction(QStringLiteral("Infos zum Track"), this);
    // Not "Insert": from here the folder browser leaves the two windows disabled, not hidden.
    addFolderItem = new QAction(QStringLiteral("Verzeichnis hinzufügen"), this);
    addMenuItems(*contextMenu,
                 {*playItem, *trackInfoItem, "-", *addFolderItem, program.actions().clear});

    // Loading takes the main window's width and sits under it until the docking places it.
    const Desktop& d = program.desktop();
    const MainWindow& main = program.mainWindow();
    twips::setGeometry(*this, twips::left(main, d), twips::top(main, d) + twips::height(main, d),
                       twips::width(main, d), kNormalHeight, d);
    twips::setGeometry(*titleList, 0, 0, twips::width(main, d), kNormalListHeight, d);

    connect(titleList, &QAbstractItemView::doubleClicked, this, [this] { playSelected(true); });
    connect(titleList, &PlaylistView::keyDown, this, &PlaylistWindow::answerListKey);
    connect(titleList, &PlaylistView::rightPressed, this, &PlaylistWindow::openContextMenuAt);
    connect(titleList, &PlaylistView::contextMenuKey, this,
            &PlaylistWindow::openContextMenuAtSelection);
    connect(countTimer, &WindowTimer::timeout, this, &PlaylistWindow::showLineCount);
    connect(playItem, &QAction::triggered, this, [this] { playSelected(true); });
    connect(addFolderItem, &QAction::triggered, this,
            [this] { addFolder(program_, AddFolderFrom::PlaylistWindow); });
    connect(trackInfoItem, &QAction::triggered, this, [this] { showTrackInfo(program_); });
    // A step in the order selects the line of its entry (none outside the list).
    connect(&program.playbackModel(), &PlaybackModel::trackStarted, this,
            [this](int entry, const QString& /*title*/, PlaybackModel::Start how) {
                if (how == PlaybackModel::Start::Step) {
                    setListIndex(entry - 1);
                }
            });
}

PlaylistWindow::~PlaylistWindow() = default;

void PlaylistWindow::setHeightTwips(double height) {
    twips::setHeight(*this, height, program_.desktop());
}

void PlaylistWindow::setListHeightTwips(double height) {
    twips::setHeight(*titleList, height, program_.desktop());
}

double PlaylistWindow::heightTwips() const {
    return twips::height(*this, program_.desktop());
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

void PlaylistWindow::selectLine(int nr) {
    if (nr >= 0 && nr < lineCount()) {
        setListIndex(nr);
    }
}

QString PlaylistWindow::selectedText() const {
    const int line = listIndex();
    return line < 0 ? QString() : lines->data(lines->index(line), Qt::DisplayRole).toString();
}

void PlaylistWindow::fillFromStore() {
    lines->setStringList(program_.playbackModel().playlist().titles());
}

void PlaylistWindow::appendLines(const QStringList& titles) {
    if (!titles.isEmpty()) {
        lines->setStringList(lines->stringList() + titles);
    }
}

void PlaylistWindow::clearList() {
    lines->setStringList({});
}

void PlaylistWindow::removeLine(int line) {
    lines->removeRows(line, 1);
    // As a list box does: after a removal no line is selected, so that a second Delete cannot
    // take the next entry unseen.
    titleList->clearSelection();
}

int PlaylistWindow::lineAt(QPoint pos) const {
    const QModelIndex index = titleList->indexAt(pos);
    return index.isValid() ? index.row() : -1;
}

void PlaylistWindow::playSelected(bool startClock) {
    program_.playback().playLine(listIndex(), selectedText());
    if (startClock) {
        program_.playbackModel().runClock();
    }
}

void PlaylistWindow::answerListKey(int key) {
    if (key == Qt::Key_Delete) {
        removeSelected(program_);
    } else if (key == Qt::Key_F3) {
        program_.optionsDialog().openFromSettings();
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        playSelected(false);
    }
}

void PlaylistWindow::openContextMenuAt(QPoint pos) {
    const int line = lineAt(pos);
    if (line == -1) {
        return;
    }
    setListIndex(line);
    contextMenu->popup(titleList->viewport()->mapToGlobal(pos));
}

void PlaylistWindow::openContextMenuAtSelection() {
    // Without a selected line the menu opens at the top: it also adds a folder or clears.
    QPoint at;
    if (const int line = listIndex(); line >= 0) {
        const QModelIndex index = lines->index(line);
        titleList->scrollTo(index);
        at = titleList->visualRect(index).bottomLeft();
    }
    contextMenu->popup(titleList->viewport()->mapToGlobal(at));
}

void PlaylistWindow::keyPressEvent(QKeyEvent* event) {
    MainWindow& main = program_.mainWindow();
    if (event->keyCombination() == QKeyCombination(Qt::Key_F6)) {
        // Back to the main window, to the control that had the focus there.
        if (main.isVisible()) {
            program_.windowSystem().bringToFront(main);
        }
        return;
    }
    if (!main.keys().handle(*event, true)) {
        QWidget::keyPressEvent(event);
    }
}

void PlaylistWindow::showLineCount() {
    program_.mainWindow().setPlaylistCount(lineCount());
}

bool PlaylistWindow::event(QEvent* event) {
    // Brought forward while the main window is minimised: it goes down with it.
    if (event->type() == QEvent::WindowActivate &&
        program_.mainWindow().windowState().testFlag(Qt::WindowMinimized)) {
        setWindowState(windowState() | Qt::WindowMinimized);
        hide();
    }
    return QWidget::event(event);
}

void PlaylistWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    emit geometryChanged();
}

void PlaylistWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit geometryChanged();
}

void PlaylistWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit geometryChanged();
}

void PlaylistWindow::closeEvent(QCloseEvent* event) {
    // Closed by the window system: unloaded like any other way, once this event is over.
    event->ignore();
    program_.unloadPlaylist();
}
