#pragma once

#include <gtest/gtest.h>
#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include "app/FolderOperations.h"
#include "app/PlaylistOperations.h"
#include "app/Program.h"
#include "app/WindowOpeners.h"
#include "fakes/FakePlatform.h"
#include "fakes/WaitUntil.h"
#include "folderbrowser/FolderBrowser.h"
#include "mainwindow/MainWindow.h"
#include "options/OptionsDialog.h"
#include "playlistwindow/PlaylistWindow.h"

// A program in a temporary program folder, with fake outside components that the test can
// reach. Ending the process only counts.
class ProgramFixture : public ::testing::Test {
protected:
    ProgramFixture();
    ~ProgramFixture() override;

    // settings.cfg from lines, each ended by CR LF.
    void writeSettings(const std::vector<QByteArray>& lines) const;
    void writeFile(const QString& name, const QByteArray& bytes) const;
    QByteArray readFile(const QString& name) const;
    bool fileExists(const QString& name) const { return QFile::exists(folder.filePath(name)); }
    void makeFiles(const QString& sub, const QStringList& names) const;
    // folders.dat listing these folders, below the program folder or absolute.
    void writeFolders(const QStringList& subs) const;
    void start();
    // What a screen reader reads: role, name, and a slider's value, minimum and maximum.
    static std::tuple<QAccessible::Role, QString, double, double, double> readOut(QWidget* widget);

    MainWindow& mainWindow() const { return program->mainWindow(); }
    PlaylistWindow& pl() const { return program->playlistWindow(); }
    OptionsDialog& opts() const { return program->optionsDialog(); }
    FolderBrowser& browser() const { return program->folderBrowser(); }
    FakePlayer& player() const { return *players.at(0); }  // the main window's
    PlaybackModel& model() const { return program->playbackModel(); }
    PlayerActions& actions() const { return program->actions(); }
    FakeFileDialog& dialog() const { return *dialogs.at(0); }
    QStringList shownLines() const { return pl().lines->stringList(); }
    // One digit a control of the main window: 1 where the state holds, as "1001".
    QString flags(std::initializer_list<const char*> names,
                  bool (QWidget::*state)() const = &QWidget::isEnabled) const;
    // A control or timer of the main window, found by name: the window keeps them to itself.
    template <typename T = QWidget>
    T* control(const char* name) const {
        T* const found = program->mainWindow().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    SkinLabel* label(const char* name) const { return control<SkinLabel>(name); }
    WindowTimer* timer(const char* name) const { return control<WindowTimer>(name); }
    void click(const char* name) const { QTest::mouseClick(label(name), Qt::LeftButton); }
    static bool activate(QWidget& window) {
        window.activateWindow();
        return waitUntil([&window] { return window.isActiveWindow(); });
    }

    QTemporaryDir folder;
    FakeDesktop* desktop = nullptr;
    FakeMessageBoxes* messages = nullptr;
    std::vector<FakePlayer*> players;
    std::vector<FakeFileDialog*> dialogs;
    FakeMixer* mixer = nullptr;  // owned by the program
    int processEnds = 0;
    bool engineAvailable = true;  // false: the engine's library is not found
    // Set before start() to give the main window real players instead of fakes.
    std::function<std::unique_ptr<MediaPlayer>()> realPlayers;
    // The tray icon, owned by the program; no tray host runs until the test starts one.
    FakeTrayIcon* tray = nullptr;
    std::shared_ptr<FakeFolderSource> listings = std::make_shared<FakeFolderSource>();
    FakeWindowSystem* windows = nullptr;  // owned by the program
    std::unique_ptr<Program> program;
};
