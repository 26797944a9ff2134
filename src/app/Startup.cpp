#include "app/Startup.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "app/Docking.h"
#include "app/EngineMessage.h"
#include "app/ExitCommands.h"
#include "app/MainActivation.h"
#include "app/Module1.h"
#include "app/Program.h"
#include "app/SettingsHolders.h"
#include "app/WindowRoles.h"
#include "folders/frmopen.h"
#include "player/Form1.h"
#include "player/Transport.h"
#include "player/Tray.h"
#include "player/Volume.h"
#include "playlist/PlaylistCommands.h"
#include "playlist/frmsearch.h"
#include "playlist/playlist.h"
#include "util/AtomicFile.h"
#include "util/Twips.h"
#include "windows/OptionsOpeners.h"
#include "windows/frmhelp.h"
#include "windows/options.h"
#include "windows/quickinfo.h"

namespace {

void wireMainWindow(Program& program) {
    Form1& form = program.form1();
    QObject::connect(&form, &Form1::dockingTick, &form, [&program] { stayd_Timer(program); });
    QObject::connect(&form, &Form1::geometryChanged, &form, [&program] { wakeDocking(program); });
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QObject::connect(screen, &QScreen::geometryChanged, &form,
                         [&program] { wakeDocking(program); });
    }
    new MainActivation(program, &form);  // owned by the main window
    QObject::connect(&form, &Form1::exitRequested, &form, [&program] { exitCommand(program); });
    const auto on = [&form](auto request, auto handler) {
        QObject::connect(&form, request, &form, handler);
    };
    on(&Form1::showPlaylistRequested, [&program] { plaction(program, QStringLiteral("showpl")); });
    on(&Form1::hidePlaylistRequested, [&program] { hidePlaylist(program); });
    on(&Form1::sizeToggleRequested, [&program] { toggleSize(program); });
    on(&Form1::clearRequested, [&program] { clearWithOffer(program); });
    on(&Form1::saveListRequested,
       [&program] { saveFolderList(program, program.playlistFolder()); });
    on(&Form1::addFolderRequested, [&program] { addFolder(program, AddFolderFrom::MainWindow); });
    on(&Form1::searchRequested, [&program] { showSearch(program); });
    on(&Form1::helpRequested, [&program] { mnuhelp_Click(program); });
    QObject::connect(&form, &Form1::closeRequested, &form,
                     [&program](QCloseEvent* event) { Form_QueryUnload(program, event); });
    // The playback engine and the mixer are opened once the window is on screen: both load
    // large libraries, and the window's own would wait for them. The mixer opens on its own
    // thread and finds the sound server's libraries already loaded by the engine.
    QObject::connect(
        &form, &Form1::firstPainted, &form,
        [&program] {
            QTimer::singleShot(0, &program.form1(), [&program] {
                const EngineStatus engine = program.prepareEngine();
                if (Mixer* mixer = program.mixer()) {
                    mixer->open();
                }
                if (!engine.ok()) {
                    tellEngineMissing(program.messages(), engine);
                }
            });
        },
        Qt::SingleShotConnection);
    QObject::connect(&form.transport(), &Transport::quickInfoAtTrackChange, &form,
                     [&program](const QString& title) { quickInfoAtTrackChange(program, title); });
    QObject::connect(&form.transport(), &Transport::quickInfoTextChanged, &form,
                     [&program](const QString& title) { setQuickInfoText(program, title); });
}

void applyPlaylistSettings(Program& program) {
    Form1& form = program.form1();
    options& opts = program.optionsWindow();

    form.setPlaylistShown(false);
    if (options::value(*opts.optexppl) == 1) {
        enlargePlaylist(program);
        form.setPlaylistMark(QStringLiteral("1"));
    }
    if (options::value(*opts.optshowpl) == 1) {
        plaction(program, QStringLiteral("showpl"));
        form.setPlaylistShown(true);
    } else {
        program.playlistWindow().hide();
        form.setPlaylistShown(false);
    }
    if (options::value(*opts.qinfo) == 1) {
        opts.alwaysshow->setEnabled(true);
    } else {
        opts.alwaysshow->setChecked(false);
        opts.alwaysshow->setEnabled(false);
    }
}

// A run that ended in the middle of writing a file may have left its temporary file behind.
void removeLeftoversOfInterruptedWrites(const Program& program) {
    QStringList folders{QFileInfo(program.settingsPath()).absolutePath(),
                        QFileInfo(program.foldersPath()).absolutePath(), program.playlistFolder()};
    folders.removeDuplicates();
    for (const QString& folder : folders) {
        removeStaleTemporaryFiles(folder);
    }
}

}  // namespace

void startUp(Program& program) {
    removeLeftoversOfInterruptedWrites(program);
    Form1& form = program.form1();
    new WindowRoles(program, &form);  // owned by the main window; before any window shows
    form.volume().setMutingHeight();
    form.volume().findMixerControls();
    program.frmopenWindow();
    plaction(program, QStringLiteral("openauto"));
    form.tray().setup();
    program.optionsWindow();

    // A missing or broken settings file is not worth a message: the first bad line ends the
    // read and everything after it keeps its initial value.
    applyToHolders(program, readSettings(program.settingsPath(), ReadMode::StopAtFirstBadLine,
                                         volumeRange(program)));
    form.setStandardFolder(program.optionsWindow().estfolder->text());
    form.volume().placeThumb();

    applyPlaylistSettings(program);

    program.playlistWindow();  // placed even when it stays hidden
    placeMainWindowOnScreen(program);
    placePlaylistOverlapping(program);
    wireMainWindow(program);
    wireOptionsOpeners(program);
    form.show();
}
