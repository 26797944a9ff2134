#include "app/MainWindowWiring.h"

#include <QTimer>

#include "app/EngineMessage.h"
#include "app/ExitCommands.h"
#include "app/PlaylistActions.h"
#include "app/Program.h"
#include "help/HelpWindow.h"
#include "mainwindow/MainWindow.h"
#include "playlistwindow/PlaylistCommands.h"
#include "playlistwindow/PlaylistWindow.h"
#include "playlistwindow/TitleSearchWindow.h"
#include "popup/TrackChangePopup.h"

MainWindowWiring::MainWindowWiring(Program& program)
    : QObject(&program.mainWindow()), program_(program) {
    MainWindow& form = program.mainWindow();
    using H = MainWindowWiring;
    connect(&form, &MainWindow::playlistFocusRequested, this, &H::focusPlaylist);
    connect(&form, &MainWindow::closeRequested, this, &H::confirmClose);
    connect(&form, &MainWindow::firstPainted, this, &H::openEngineSoon, Qt::SingleShotConnection);
    // A step in the order announces the track in the popup; a line played from the playlist
    // window only gives it the title.
    connect(&program.playbackModel(), &PlaybackModel::trackStarted, this,
            [&program](int /*entry*/, const QString& title, PlaybackModel::Start how) {
                if (how == PlaybackModel::Start::Step) {
                    announceTrackChange(program, title);
                } else {
                    setPopupTitle(program, title);
                }
            });
    connectActions();
}

void MainWindowWiring::connectActions() {
    Program& program = program_;
    PlayerActions& a = program.actions();
    const auto on = [this](QAction& action, auto handler) {
        connect(&action, &QAction::triggered, this, handler);
    };
    on(a.exit, [&program] { exitCommand(program); });
    on(a.showPlaylist, [&program] { showPlaylist(program); });
    on(a.hidePlaylist, [&program] { hidePlaylist(program); });
    on(a.togglePlaylistSize, [&program] { togglePlaylistSize(program); });
    on(a.clear, [&program] { clearWithOffer(program); });
    on(a.saveList, [&program] { saveFolderList(program, program.playlistFolder()); });
    on(a.insertFolder, [&program] { addFolder(program, AddFolderFrom::MainWindow); });
    on(a.search, [&program] { showSearch(program); });
    on(a.help, [&program] { showHelp(program); });
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
