#include "app/PlaylistOperations.h"

#include <QKeyEvent>

#include "app/FolderOperations.h"
#include "app/Program.h"
#include "app/WindowOpeners.h"
#include "mainwindow/Docking.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PlayerKeys.h"
#include "playlistwindow/PlaylistWindow.h"
#include "playlistwindow/TitleSearchWindow.h"
#include "util/Twips.h"

namespace {

constexpr double kEnlargeBelow = 3500;
constexpr double kShrinkAbove = 5500;

}  // namespace

void showPlaylist(Program& program) {
    MainWindow& form = program.mainWindow();
    PlaylistWindow& pl = program.playlistWindow();
    pl.show();
    form.docking().placeShown();
    pl.lines->setStringList(program.playbackModel().playlist().titles());
    form.setPlaylistShown(true);
    if (form.isEnlarged()) {
        setPlaylistEnlarged(program, true);
    }
}

void hidePlaylist(Program& program) {
    program.unloadPlaylist();
    program.mainWindow().setPlaylistShown(false);
}

void setPlaylistEnlarged(Program& program, bool enlarged) {
    program.playlistWindow().setEnlarged(enlarged);
    program.mainWindow().setEnlarged(enlarged);
}

void togglePlaylistSize(Program& program) {
    const double height = twips::height(program.playlistWindow(), program.desktop());
    if (height < kEnlargeBelow) {
        setPlaylistEnlarged(program, true);
    } else if (height > kShrinkAbove) {
        setPlaylistEnlarged(program, false);
    }
}

void clearWithOffer(Program& program) {
    PlaylistWindow* pl = program.playlistIfLoaded();
    if (pl == nullptr || pl->lineCount() == 0) {
        return;
    }
    const auto answer = program.messages().show(
        QStringLiteral("Wollen sie die Playlist speichern bevor sie sie löschen ?\r\n\r\n"
                       "Wählen sie \"Abbrechen\", um keine Aktion durchzuführen."),
        QStringLiteral("Meldung"), MessageBoxes::Buttons::YesNoCancel, MessageBoxes::Icon::None);
    if (answer == MessageBoxes::Answer::Cancel) {
        return;
    }
    if (answer == MessageBoxes::Answer::Yes) {
        saveFolderList(program, program.programFolder());
    }
    // The save dialog may have run the event loop: the window may be gone by now.
    if (PlaylistWindow* still = program.playlistIfLoaded()) {
        still->lines->setStringList({});
    }
}

QString selectedPath(const Program& program) {
    const PlaylistWindow* pl = program.playlistIfLoaded();
    const int line = pl != nullptr ? pl->listIndex() : -1;
    return program.playbackModel().playlist().path(line + 1);
}

void connectPlaylistWindow(Program& program, PlaylistWindow& window) {
    MainWindow& form = program.mainWindow();
    QObject::connect(&window, &PlaylistWindow::linesCounted, &form, &MainWindow::setPlaylistCount);
    form.setPlaylistCount(window.lineCount());
    QObject::connect(&window, &PlaylistWindow::playerKeyPressed, &form, [&form](QKeyEvent* event) {
        if (form.keys().handle(*event, true)) {
            event->accept();
        }
    });
    // F6: back to the main window, to the control that had the focus there.
    QObject::connect(&window, &PlaylistWindow::mainWindowFocusRequested, &form, [&program, &form] {
        if (form.isVisible()) {
            program.windowSystem().bringToFront(form);
        }
    });
    QObject::connect(&window, &PlaylistWindow::addFolderRequested, &form,
                     [&program] { addFolder(program, AddFolderFrom::PlaylistWindow); });
    QObject::connect(&window, &PlaylistWindow::trackInfoRequested, &form,
                     [&program] { showTrackInfo(program); });
    QObject::connect(&window, &PlaylistWindow::unloadRequested, &form,
                     [&program] { program.unloadPlaylist(); });
}

void connectTitleSearch(Program& program, TitleSearchWindow& window) {
    const auto selectLine = [&program](int line) {
        PlaylistWindow* pl = program.playlistIfLoaded();
        if (pl != nullptr) {
            pl->setListIndex(line);
        }
        return pl;
    };
    QObject::connect(&window, &TitleSearchWindow::markRequested, &window, selectLine);
    QObject::connect(&window, &TitleSearchWindow::playRequested, &window, [selectLine](int line) {
        if (PlaylistWindow* pl = selectLine(line)) {
            pl->playSelected(true);
        }
    });
    // The player's windows are freed unless another window still holds them.
    QObject::connect(&window, &TitleSearchWindow::unloadRequested, &window,
                     [&program, &window] { program.releasePlayerWindows(&window); });
}
