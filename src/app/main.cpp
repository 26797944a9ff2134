#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <clocale>
#include <cstdlib>

#include "app/DisplayStartGuard.h"
#include "app/Program.h"
#include "app/ProgramFolders.h"
#include "app/RemoteControl.h"
#include "app/SettingsHolders.h"
#include "app/Startup.h"
#include "platform/AlsaMixer.h"
#include "platform/MprisService.h"
#include "platform/MpvLibrary.h"
#include "platform/MpvPlayer.h"
#include "platform/QtDesktop.h"
#include "platform/QtFileDialog.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtTrayIcon.h"
#include "platform/SingleInstance.h"
#include "platform/X11WindowSystem.h"

int main(int argc, char** argv) {
    // Opening the mixer takes a while with a sound server: it runs meanwhile on its own thread.
    auto mixer = std::make_unique<AlsaMixer>();
    // Docking and the popup need exact window positions, which only X11 gives.
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    // The player takes no command-line arguments, so Qt sees none either.
    int qtArgc = argc > 0 ? 1 : 0;
    DisplayStartGuard displayGuard;
    QApplication app(qtArgc, argv);
    displayGuard.release();
    QApplication::setApplicationName(QStringLiteral("brambleplayer"));
    QGuiApplication::setDesktopFileName(QStringLiteral("brambleplayer"));

    // Exported before the name is claimed, so that whoever sees the name finds the object.
    // Calls wait in the event loop until the player is attached below.
    const QDBusConnection bus = QDBusConnection::sessionBus();
    MprisService mpris(bus);
    SingleInstance instance({QString::fromLatin1(MprisService::kBusName),
                             QString::fromLatin1(MprisService::kObjectPath),
                             QString::fromLatin1(MprisService::kRootInterface),
                             QStringLiteral("Raise"),
                             SingleInstance::defaultSocketPath(QStringLiteral("brambleplayer"))});
    // Before anything reads or writes a file: a second copy only brings the first to the front.
    if (instance.claim(bus) == SingleInstance::Outcome::AnotherCopyRuns) {
        std::_Exit(EXIT_SUCCESS);
    }
    // libmpv refuses to start under a locale whose decimal separator is not a point.
    std::setlocale(LC_NUMERIC, "C");

    QTranslator qtGerman;
    if (qtGerman.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtGerman);
    }

    MpvLibrary mpv;
    PlatformServices services;
    services.desktop = std::make_unique<QtDesktop>();
    services.messages = std::make_unique<QtMessageBoxes>();
    services.makePlayer = [&mpv] { return std::make_unique<MpvPlayer>(mpv); };
    services.makeFileDialog = [] { return std::make_unique<QtFileDialog>(); };
    services.prepareEngine = [&mpv] {
        mpv.load();
        return mpv.status();
    };
    services.endProcess = [] { std::_Exit(EXIT_SUCCESS); };
    services.mixer = std::move(mixer);
    services.trayIcon = std::make_unique<QtTrayIcon>();
    services.windows = std::make_unique<X11WindowSystem>();

    // An installed copy whose folder the user cannot write keeps its files in the user's own
    // folder; everything after this line knows only the folder it is given.
    const QString programFolder = QCoreApplication::applicationDirPath();
    Program program(filesFolderFor(programFolder), std::move(services), helpFileFor(programFolder));
    startUp(program);
    auto* remote = new RemoteControl(program);  // owned by the main window
    mpris.attach(remote);
    QObject::connect(&instance, &SingleInstance::raiseRequested, remote, &RemoteControl::raise);
    // Reached only if the application is made to quit some other way than the exit commands.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &app,
                     [&program] { saveSettings(program); });
    return QApplication::exec();
}
