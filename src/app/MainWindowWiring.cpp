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

MainWindowHandlers::MainWindowHandlers(Program& program)
    : QObject(&program.form1()), program_(program) {
    Form1& form = program.form1();
    using H = MainWindowHandlers;
    connect(&form, &Form1::dockingTick, this, &H::stayd_Timer);
    connect(&form, &Form1::geometryChanged, this, &H::Form_Moved);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        connect(screen, &QScreen::geometryChanged, this, &H::Form_Moved);
    }
    connect(&form, &Form1::exitRequested, this, &H::Label9_Click);
    connect(&form, &Form1::showPlaylistRequested, this, &H::showpl_Click);
    connect(&form, &Form1::hidePlaylistRequested, this, &H::hidepl_Click);
    connect(&form, &Form1::sizeToggleRequested, this, &H::Label2_Click);
    connect(&form, &Form1::clearRequested, this, &H::Label10_Click);
    connect(&form, &Form1::saveListRequested, this, &H::Label3_Click);
    connect(&form, &Form1::addFolderRequested, this, &H::Label7_Click);
    connect(&form, &Form1::searchRequested, this, &H::Label1_Click);
    connect(&form, &Form1::helpRequested, this, &H::mnuhelp_Click);
    connect(&form, &Form1::playlistFocusRequested, this, &H::Form_F6);
    connect(&form, &Form1::closeRequested, this, &H::Form_QueryUnload);
    connect(&form, &Form1::firstPainted, this, &H::Form_FirstPaint, Qt::SingleShotConnection);
    connect(&form.transport(), &Transport::quickInfoAtTrackChange, this, &H::Transport_TrackChange);
    connect(&form.transport(), &Transport::quickInfoTextChanged, this, &H::Transport_TitleChange);
}

void MainWindowHandlers::stayd_Timer() {
    ::stayd_Timer(program_);
}

void MainWindowHandlers::Form_Moved() {
    wakeDocking(program_);
}

void MainWindowHandlers::Label9_Click() {
    exitCommand(program_);
}

void MainWindowHandlers::showpl_Click() {
    plaction(program_, QStringLiteral("showpl"));
}

void MainWindowHandlers::hidepl_Click() {
    hidePlaylist(program_);
}

void MainWindowHandlers::Label2_Click() {
    toggleSize(program_);
}

void MainWindowHandlers::Label10_Click() {
    clearWithOffer(program_);
}

void MainWindowHandlers::Label3_Click() {
    saveFolderList(program_, program_.playlistFolder());
}

void MainWindowHandlers::Label7_Click() {
    addFolder(program_, AddFolderFrom::MainWindow);
}

void MainWindowHandlers::Label1_Click() {
    showSearch(program_);
}

void MainWindowHandlers::mnuhelp_Click() {
    ::mnuhelp_Click(program_);
}

void MainWindowHandlers::Form_F6() {
    playlist* pl = program_.playlistIfLoaded();
    if (pl != nullptr && pl->isVisible() && pl->isEnabled()) {
        program_.windowSystem().bringToFront(*pl);
        pl->List1->setFocus(Qt::TabFocusReason);
    }
}

void MainWindowHandlers::Form_QueryUnload(QCloseEvent* event) {
    ::Form_QueryUnload(program_, event);
}

void MainWindowHandlers::Form_FirstPaint() {
    // The playback engine and the mixer are opened once the window is on screen: both load
    // large libraries, and the window's own would wait for them. The mixer opens on its own
    // thread and finds the sound server's libraries already loaded by the engine.
    QTimer::singleShot(0, this, &MainWindowHandlers::openEngineAndMixer);
}

void MainWindowHandlers::openEngineAndMixer() {
    program_.prepareEngine([this](const EngineStatus& engine) {
        if (Mixer* mixer = program_.mixer()) {
            mixer->open();
        }
        if (!engine.ok()) {
            tellEngineMissing(program_.messages(), engine);
        }
    });
}

void MainWindowHandlers::Transport_TrackChange(const QString& title) {
    quickInfoAtTrackChange(program_, title);
}

void MainWindowHandlers::Transport_TitleChange(const QString& title) {
    setQuickInfoText(program_, title);
}
