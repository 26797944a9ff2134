#include "app/Wiring.h"

#include <QCloseEvent>
#include <QTimer>

#include "app/EngineMessage.h"
#include "app/Exit.h"
#include "app/FolderOperations.h"
#include "app/PlaylistOperations.h"
#include "app/Program.h"
#include "app/WindowOpeners.h"
#include "help/HelpWindow.h"
#include "mainwindow/Chrome.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/Tray.h"
#include "options/OptionsDialog.h"
#include "playlistwindow/PlaylistWindow.h"
#include "playlistwindow/TitleSearchWindow.h"

namespace {

// F6: the keyboard moves on to the playlist window.
void focusPlaylist(Program& program) {
    PlaylistWindow* pl = program.playlistIfLoaded();
    if (pl != nullptr && pl->isVisible() && pl->isEnabled()) {
        program.windowSystem().bringToFront(*pl);
        pl->titleList->setFocus(Qt::TabFocusReason);
    }
}

// The main window came back or went away: the playlist window follows it.
void followMainWindow(Program& program, bool shown, bool restored) {
    if (shown) {
        program.playlistWindow().show();
    }
    PlaylistWindow* pl = program.playlistIfLoaded();
    if (restored && pl != nullptr) {
        if (!shown) {
            pl->hide();
        }
        pl->setWindowState(Qt::WindowNoState);
    }
}

// The playback engine and the mixer are opened once the window is on screen: both load large
// libraries, and the window's own would wait for them. The engine is loaded away from the GUI
// thread, and the main window's player started on it. The mixer opens on its own thread and
// finds the sound server's libraries already loaded by the engine.
void openEngineAndMixer(Program& program) {
    const auto opened = [&program](EngineStatus engine) {
        MediaPlayer* player = program.mainWindow().player();
        if (engine.ok() && player != nullptr && !player->prepare()) {
            engine.failure = EngineStatus::Failure::NotStarted;
        }
        if (Mixer* mixer = program.services().mixer.get()) {
            mixer->open();
        }
        if (!engine.ok()) {
            tellEngineMissing(program.messages(), engine);
        }
    };
    if (program.services().prepareEngine) {
        program.services().prepareEngine(opened);
    } else {
        opened({});
    }
}

}  // namespace

void wireWindows(Program& program) {
    MainWindow& form = program.mainWindow();
    QObject::connect(&form, &MainWindow::playlistFocusRequested, &form,
                     [&program] { focusPlaylist(program); });
    QObject::connect(&form, &MainWindow::closeRequested, &form, [&program](QCloseEvent* event) {
        if (!exitCommand(program)) {
            event->ignore();
        }
    });
    QObject::connect(
        &form, &MainWindow::firstPainted, &form,
        [&program, &form] {
            QTimer::singleShot(0, &form, [&program] { openEngineAndMixer(program); });
        },
        Qt::SingleShotConnection);
    QObject::connect(
        &form.chrome(), &Chrome::playlistFollows, &form,
        [&program](bool shown, bool restored) { followMainWindow(program, shown, restored); });
    QObject::connect(&form.tray(), &Tray::popupRequested, &form,
                     [&program](const QString& title) { showPopup(program, title); });
    QObject::connect(&program.playbackModel(), &PlaybackModel::trackStarted, &form,
                     [&program](int /*entry*/, const QString& title, PlaybackModel::Start how) {
                         announceTrackChange(program, title, how);
                     });

    PlayerActions& a = program.actions();
    const auto on = [&form](QAction& action, auto handler) {
        QObject::connect(&action, &QAction::triggered, &form, handler);
    };
    on(a.exit, [&program] { exitCommand(program); });
    on(a.showPlaylist, [&program] { showPlaylist(program); });
    on(a.hidePlaylist, [&program] { hidePlaylist(program); });
    on(a.togglePlaylistSize, [&program] { togglePlaylistSize(program); });
    on(a.clear, [&program] { clearWithOffer(program); });
    on(a.saveList, [&program] { saveFolderList(program, program.playlistFolder()); });
    on(a.insertFolder, [&program] { addFolder(program, AddFolderFrom::MainWindow); });
    on(a.search, [&program] { showOnTop(program.searchWindow()); });
    on(a.help,
       [&program] { showOnTop(program.help.getOrCreate(program.desktop(), program.helpPath())); });
    on(a.options, [&program] { program.optionsDialog().openFromSettings(); });
}
