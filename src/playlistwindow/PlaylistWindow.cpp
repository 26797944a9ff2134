#include "playlistwindow/PlaylistWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include "app/Program.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PlayerKeys.h"
#include "mainwindow/Transport.h"
#include "options/OptionsDialog.h"
#include "playlistwindow/PlaylistCommands.h"
#include "playlistwindow/TrackInfoWindow.h"
#include "skin/SkinFonts.h"
#include "util/MenuTable.h"
#include "util/Twips.h"

playlist::playlist(Program& program)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), program_(program) {
    setObjectName(QStringLiteral("playlist"));
    setWindowTitle(QStringLiteral("Playlist"));
    // Docked under the main window, it comes and goes with it: the main window keeps the focus.
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    lines = new PlaylistLines(this);
    List1 = new PlaylistView(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("Playlist"));
    List1->setModel(lines);
    List1->setUniformItemSizes(true);
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setFrameShape(QFrame::NoFrame);
    List1->setFont(skinfonts::font(skinfonts::Face::Tahoma, 8.25));
    QPalette listPal = List1->palette();
    listPal.setColor(QPalette::Base, Qt::black);
    listPal.setColor(QPalette::Text, QColor(0x00, 0xFF, 0x00));
    List1->setPalette(listPal);

    Timer1 = new FormTimer(500, true, this);

    mnupopup1 = new QMenu(QStringLiteral("Popup1"), this);
    mnupopup1->setObjectName(QStringLiteral("mnupopup1"));
    addMenuItems(*mnupopup1, {{"mnuplay1", "Track spielen"},
                              {"mnutrackinfo", "Infos zum Track"},
                              {"tp2", "-"},
                              {"mnuinsert1", "Verzeichnis hinzufügen"},
                              {"mnudeleteall1", "Alles Löschen"}});
    mnuplay1 = menuAction(*mnupopup1, "mnuplay1");
    mnutrackinfo = menuAction(*mnupopup1, "mnutrackinfo");
    mnuinsert1 = menuAction(*mnupopup1, "mnuinsert1");
    mnudeleteall1 = menuAction(*mnupopup1, "mnudeleteall1");

    // Loading takes the main window's width and sits under it until the docking places it.
    const Desktop& d = program.desktop();
    const Form1& main = program.form1();
    twips::setGeometry(*this, twips::left(main, d), twips::top(main, d) + twips::height(main, d),
                       twips::width(main, d), kNormalHeight, d);
    twips::setGeometry(*List1, 0, 0, twips::width(main, d), kNormalListHeight, d);

    connect(List1, &QAbstractItemView::doubleClicked, this, &playlist::List1_DblClick);
    connect(List1, &PlaylistView::keyDown, this, &playlist::List1_KeyDown);
    connect(List1, &PlaylistView::rightPressed, this, &playlist::List1_MouseDown);
    connect(List1, &PlaylistView::contextMenuKey, this, &playlist::List1_ContextKey);
    connect(Timer1, &FormTimer::timeout, this, &playlist::Timer1_Timer);
    connect(mnuplay1, &QAction::triggered, this, &playlist::mnuplay1_Click);
    connect(mnuinsert1, &QAction::triggered, this,
            [this] { addFolder(program_, AddFolderFrom::PlaylistWindow); });
    connect(mnudeleteall1, &QAction::triggered, this, [this] { clearWithOffer(program_); });
    connect(mnutrackinfo, &QAction::triggered, this, [this] { mnutrackinfo_Click(program_); });
}

playlist::~playlist() = default;

void playlist::setHeightTwips(double height) {
    twips::setHeight(*this, height, program_.desktop());
}

void playlist::setListHeightTwips(double height) {
    twips::setHeight(*List1, height, program_.desktop());
}

double playlist::heightTwips() const {
    return twips::height(*this, program_.desktop());
}

int playlist::listIndex() const {
    const QModelIndexList selected = List1->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void playlist::setListIndex(int line) {
    if (line < 0 || line >= lineCount()) {
        List1->clearSelection();
        return;
    }
    const QModelIndex index = lines->index(line);
    List1->setCurrentIndex(index);
    List1->scrollTo(index);
}

void playlist::InsertItem(int nr) {
    if (nr >= 0 && nr < lineCount()) {
        setListIndex(nr);
    }
}

QString playlist::selectedText() const {
    const int line = listIndex();
    return line < 0 ? QString() : lines->data(lines->index(line), Qt::DisplayRole).toString();
}

void playlist::fillFromStore() {
    lines->setStringList(program_.store.titles());
}

void playlist::appendLines(const QStringList& titles) {
    if (!titles.isEmpty()) {
        lines->setStringList(lines->stringList() + titles);
    }
}

void playlist::clearList() {
    lines->setStringList({});
}

void playlist::removeLine(int line) {
    lines->removeRows(line, 1);
    // As a list box does: after a removal no line is selected, so that a second Delete cannot
    // take the next entry unseen.
    List1->clearSelection();
}

int playlist::PopUpListBox(QPoint pos) const {
    const QModelIndex index = List1->indexAt(pos);
    return index.isValid() ? index.row() : -1;
}

void playlist::playSelected(bool startClock) {
    Form1& form = program_.form1();
    form.transport().playselected();
    form.transport().updateTrayItemsFromFile();
    if (startClock) {
        form.startPlaylistClock();
    }
}

void playlist::List1_DblClick() {
    playSelected(true);
}

void playlist::mnuplay1_Click() {
    playSelected(true);
}

void playlist::List1_KeyDown(int key) {
    if (key == Qt::Key_Delete) {
        removeSelected(program_);
    } else if (key == Qt::Key_F3) {
        program_.optionsWindow().openFromSettings();
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        playSelected(false);
    }
}

void playlist::List1_MouseDown(QPoint pos) {
    const int line = PopUpListBox(pos);
    if (line == -1) {
        return;
    }
    setListIndex(line);
    mnupopup1->popup(List1->viewport()->mapToGlobal(pos));
}

void playlist::List1_ContextKey() {
    // Without a selected line the menu opens at the top: it also adds a folder or clears.
    QPoint at;
    if (const int line = listIndex(); line >= 0) {
        const QModelIndex index = lines->index(line);
        List1->scrollTo(index);
        at = List1->visualRect(index).bottomLeft();
    }
    mnupopup1->popup(List1->viewport()->mapToGlobal(at));
}

void playlist::keyPressEvent(QKeyEvent* event) {
    Form1& main = program_.form1();
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

void playlist::Timer1_Timer() {
    program_.form1().setPlaylistCount(lineCount());
}

bool playlist::event(QEvent* event) {
    // Brought forward while the main window is minimised: it goes down with it.
    if (event->type() == QEvent::WindowActivate &&
        program_.form1().windowState().testFlag(Qt::WindowMinimized)) {
        setWindowState(windowState() | Qt::WindowMinimized);
        hide();
    }
    return QWidget::event(event);
}

void playlist::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    emit geometryChanged();
}

void playlist::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit geometryChanged();
}

void playlist::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit geometryChanged();
}

void playlist::closeEvent(QCloseEvent* event) {
    // Closed by the window system: unloaded like any other way, once this event is over.
    event->ignore();
    program_.unloadPlaylist();
}
