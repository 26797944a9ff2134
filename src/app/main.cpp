#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTimer>
#include <QTranslator>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app/CommandLine.h"
#include "app/DisplayStartGuard.h"
#include "app/Program.h"
#include "app/ProgramFolders.h"
#include "app/RemoteControl.h"
#include "app/SingleFile.h"
#include "app/StartMessages.h"
#include "app/Startup.h"
#include "platform/AlsaMixer.h"
#include "platform/FileNames.h"
#include "platform/MprisService.h"
#include "platform/MpvLibrary.h"
#include "platform/MpvPlayer.h"
#include "platform/QtDesktop.h"
#include "platform/QtFileDialog.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtTrayIcon.h"
#include "platform/SingleInstance.h"
#include "platform/X11WindowSystem.h"

namespace {

// The arguments after the program's name, as the file system names files.
QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << decodeFileName(argv[i]);
    }
    return arguments;
}

// --help, --version and unknown options are answered before anything else: no window, no
// sound, no contact with a running copy.
std::optional<int> answerCommandLine(const CommandLine& line) {
    switch (line.action) {
        case CommandLine::Action::Help:
            std::fputs(CommandLine::helpText().toLocal8Bit().constData(), stdout);
            return EXIT_SUCCESS;
        case CommandLine::Action::Version:
            std::fputs(CommandLine::versionText().toLocal8Bit().constData(), stdout);
            return EXIT_SUCCESS;
        case CommandLine::Action::Refuse:
            std::fputs((line.problem + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
            return 2;
        case CommandLine::Action::Run:
            break;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine line = CommandLine::parse(argumentsOf(argc, argv));
    if (const std::optional<int> status = answerCommandLine(line)) {
        return *status;
    }
    // Docking and the popup need exact window positions, which only X11 gives.
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    // The player's own arguments are not Qt's: Qt sees none.
    int qtArgc = argc > 0 ? 1 : 0;
    DisplayStartGuard displayGuard;
    QApplication app(qtArgc, argv);
    displayGuard.release();
    QApplication::setApplicationName(QStringLiteral("brambleplayer"));
    QGuiApplication::setDesktopFileName(QStringLiteral("brambleplayer"));
    auto messages = std::make_unique<QtMessageBoxes>();

    const FileRefusal refusal =
        line.file.isEmpty() ? FileRefusal::None : checkSingleFile(line.file);
    // Absolute: the running copy that may take it has a working folder of its own.
    const QString file = refusal == FileRefusal::None ? absoluteFilePath(line.file) : QString();

    // Exported before the name is claimed, so that whoever sees the name finds the object.
    // Calls wait in the event loop until the player is attached below.
    const QDBusConnection bus = QDBusConnection::sessionBus();
    MprisService mpris(bus);
    SingleInstance instance(
        {QString::fromLatin1(MprisService::kBusName),
         QString::fromLatin1(MprisService::kObjectPath),
         QString::fromLatin1(MprisService::kRootInterface), QStringLiteral("Raise"),
         QString::fromLatin1(MprisService::kPlayerInterface), QStringLiteral("OpenUri"),
         SingleInstance::defaultSocketPath(QStringLiteral("brambleplayer"))});
    // Before anything reads or writes a file: a second copy only hands its file to the first
    // and brings it to the front.
    switch (instance.claim(bus, file)) {
        case SingleInstance::Outcome::OnlyCopy:
            break;
        case SingleInstance::Outcome::HandedOver:
            if (refusal != FileRefusal::None) {
                tellHandedFileRefused(*messages, refusal, line.file);
            }
            std::_Exit(refusal == FileRefusal::None ? EXIT_SUCCESS : EXIT_FAILURE);
        case SingleInstance::Outcome::Refused:
            tellHandedFileRefused(*messages, instance.refusal(), line.file);
            std::_Exit(EXIT_FAILURE);
        case SingleInstance::Outcome::NoAnswer:
            tellRunningCopySilent(*messages);
            std::_Exit(EXIT_FAILURE);
    }
    // libmpv refuses to start under a locale whose decimal separator is not a point.
    std::setlocale(LC_NUMERIC, "C");

    QTranslator qtGerman;
    if (qtGerman.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtGerman);
    }

    // The engine is loaded and started on a thread of its own: once the window is up, or, with
    // a file to play, beside building the windows, the file waiting for it in the player. Its
    // load holds the dynamic loader's lock throughout, which this thread also takes when it
    // first needs a thread-exit hook, as Qt's first pattern match does: that comes first.
    MpvLibrary mpv;
    const auto startEngine = [&mpv] {
        mpv.preload([](MpvLibrary& library) { return MpvPlayer::makeInstance(library, false); });
    };
    if (!file.isEmpty()) {
        static_cast<void>(QRegularExpression(QStringLiteral("x")).match(QStringLiteral("x")));
        startEngine();
    }
    PlatformServices services;
    services.desktop = std::make_unique<QtDesktop>();
    services.messages = std::move(messages);
    services.makePlayer = [&mpv] { return std::make_unique<MpvPlayer>(mpv); };
    services.makeFileDialog = [] { return std::make_unique<QtFileDialog>(); };
    services.prepareEngine = [&mpv, &app, startEngine](std::function<void(EngineStatus)> done) {
        startEngine();
        mpv.whenLoaded(&app, [&mpv, done = std::move(done)] { done(mpv.status()); });
    };
    // The bus gets everything sent so far (a reply to Quit above all) and the socket goes.
    services.endProcess = [&mpris, &instance] {
        mpris.flush();
        instance.release();
        std::_Exit(EXIT_SUCCESS);
    };
    services.mixer = std::make_unique<AlsaMixer>();
    services.trayIcon = std::make_unique<QtTrayIcon>();
    services.windows = std::make_unique<X11WindowSystem>();

    // Everything after this line knows only the folders it is given.
    const QString programFolder = QCoreApplication::applicationDirPath();
    Program program(filesFolderFor(programFolder), std::move(services), helpFileFor(programFolder));
    startUp(program);
    auto* remote =
        new RemoteControl(program.mainWindow(), program.playbackModel(), program.actions(),
                          program.playback(), program.settings());  // owned by the main window
    mpris.attach(remote);
    instance.setRequestHandler(
        [remote](const QString& handed, std::function<void(FileRefusal)> answer) {
            remote->raise();
            if (handed.isEmpty()) {
                answer(FileRefusal::None);
            } else {
                remote->openFile(handed, std::move(answer));
            }
        });
    if (instance.uniquenessUnsure()) {
        tellUniquenessUnsure(program.messages(), instance.blockedPath());
    }
    if (refusal != FileRefusal::None) {
        tellFileRefused(program.messages(), refusal, line.file);
    }
    if (!file.isEmpty()) {
        // Once the window is up.
        QTimer::singleShot(0, remote, [remote, file, &program] {
            remote->openFile(file, [&program, file](FileRefusal refused) {
                if (refused != FileRefusal::None) {
                    tellFileRefused(program.messages(), refused, file);
                }
            });
        });
    }
    // Reached only if the application is made to quit some other way than the exit commands.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &app,
                     [&program] { program.settings().save(); });
    return QApplication::exec();
}
