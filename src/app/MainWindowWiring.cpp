#include "app/MainWindowWiring.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "app/Docking.h"
#include "app/EngineMessage.h"
#include "app/ExitCommands.h"
#include "app/PlaylistActions.h"
#include "app/Program.h"
#include "help/HelpWindow.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/Transport.h"
#include "playlistwindow/PlaylistCommands.h"
#include "playlistwindow/PlaylistWindow.h"
#include "playlistwindow/TitleSearchWindow.h"
#include "popup/TrackChangePopup.h"

MainWindowWiring::MainWindowWiring(Program& program)
    : QObject(&program.mainWindow()), program_(program) {
    MainWindow& form = program.mainWindow();
    using H = MainWindowWiring;
    connect(&form, &MainWindow::dockingTick, this, &H::keepDocked);
    connect(&form, &MainWindow::geometryChanged, this, &H::wakeDockingTimer);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        connect(screen, &QScreen::geometryChanged, this, &H::wakeDockingTimer);
    }
    connect(&form, &MainWindow::exitRequested, this, &H::exitProgram);
    connect(&form, &MainWindow::showPlaylistRequested, this, &H::showPlaylistWindow);
    connect(&form, &MainWindow::hidePlaylistRequested, this, &H::hidePlaylistWindow);
    connect(&form, &MainWindow::sizeToggleRequested, this, &H::togglePlaylistSize);
    connect(&form, &MainWindow::clearRequested, this, &H::clearPlaylist);
    connect(&form, &MainWindow::saveListRequested, this, &H::savePlaylist);
    connect(&form, &MainWindow::addFolderRequested, this, &H::insertFolder);
    connect(&form, &MainWindow::searchRequested, this, &H::openSearch);
    connect(&form, &MainWindow::helpRequested, this, &H::showHelp);
    connect(&form, &MainWindow::playlistFocusRequested, this, &H::focusPlaylist);
    connect(&form, &MainWindow::closeRequested, this, &H::confirmClose);
    connect(&form, &MainWindow::firstPainted, this, &H::openEngineSoon, Qt::SingleShotConnection);
    connect(&form.transport(), &Transport::announceTrackChange, this, &H::showTrackInPopup);
    connect(&form.transport(), &Transport::popupTitleChanged, this, &H::retitlePopup);
}

void MainWindowWiring::keepDocked() {
    ::keepDocked(program_);
}

void MainWindowWiring::wakeDockingTimer() {
    wakeDocking(program_);
}

void MainWindowWiring::exitProgram() {
    exitCommand(program_);
}

void MainWindowWiring::showPlaylistWindow() {
    showPlaylist(program_);
}

void MainWindowWiring::hidePlaylistWindow() {
    hidePlaylist(program_);
}

void MainWindowWiring::togglePlaylistSize() {
    ::togglePlaylistSize(program_);
}

void MainWindowWiring::clearPlaylist() {
    clearWithOffer(program_);
}

void MainWindowWiring::savePlaylist() {
    saveFolderList(program_, program_.playlistFolder());
}

void MainWindowWiring::insertFolder() {
    addFolder(program_, AddFolderFrom::MainWindow);
}

void MainWindowWiring::openSearch() {
    showSearch(program_);
}

void MainWindowWiring::showHelp() {
    ::showHelp(program_);
}

void MainWindowWiring::focusPlaylist() {
    PlaylistWindow* pl = program_.playlistIfLoaded();
    if (pl != nullptr && pl->isVisible() && pl->isEnabled()) {
        program_.windowSystem().bringToFront(*pl);
        pl->titleList->setFocus(Qt::TabFocusReason);
    }
}

void MainWindowWiring::confirmClose(QCloseEvent* event) {
    ::confirmClose(program_, event);
}

void MainWindowWiring::openEngineSoon() {
    // The playback engine and the mixer are opened once the window is on screen: both load
    // large libraries, and the window's own would wait for them. The mixer opens on its own
    // thread and finds the sound server's libraries already loaded by the engine.
    QTimer::singleShot(0, this, &MainWindowWiring::openEngineAndMixer);
}

void MainWindowWiring::openEngineAndMixer() {
    program_.prepareEngine([this](const EngineStatus& engine) {
        if (Mixer* mixer = program_.mixer()) {
            mixer->open();
        }
        if (!engine.ok()) {
            tellEngineMissing(program_.messages(), engine);
        }
    });
}

void MainWindowWiring::showTrackInPopup(const QString& title) {
    announceTrackChange(program_, title);
}

void MainWindowWiring::retitlePopup(const QString& title) {
    setPopupTitle(program_, title);
}
