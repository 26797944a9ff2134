#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "model/PlaybackModel.h"
#include "model/PlayerActions.h"
#include "model/SettingsModel.h"
#include "platform/Services.h"
#include "util/WindowSlot.h"

class MainWindow;
class PlaylistWindow;
class FolderBrowser;
class OptionsDialog;
class FolderScan;
class TitleSearchWindow;
class TrackInfoWindow;
class HelpWindow;
class FolderChooser;
class TrackChangePopup;
class Playback;

// The program-wide state: the outside components, the window instances and the values
// every window shares. One instance, owned by main().
class Program {
public:
    // The program's files are kept in programFolder; the help text is helpFile, by default
    // hilfe.rtf in programFolder.
    Program(QString programFolder, PlatformServices services, QString helpFile = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    const QString& programFolder() const { return programFolder_; }
    QString foldersPath() const;
    // Where the folder lists (.mpc) are saved by default.
    QString playlistFolder() const;
    const QString& helpPath() const { return helpFile_; }
    // The settings as the program uses them; settings.cfg is read and written through them.
    SettingsModel& settings() { return settings_; }
    // Makes the program folder, with its Playlist folder, where it does not exist yet: a
    // writer calls it first, so a user's own folder comes into being at the first write.
    void makeProgramFolder() const;

    const PlatformServices& services() const { return services_; }
    Desktop& desktop() const { return *services_.desktop; }
    MessageBoxes& messages() const { return *services_.messages; }
    // Shared with the listings under way, which may outlast the program.
    const std::shared_ptr<const FolderSource>& folderSource() const { return services_.folders; }
    WindowSystem& windowSystem() const { return *services_.windows; }

    // What plays, the commands (made at first use: actions need the application), and what
    // drives the main window's player from them (made with the main window).
    PlaybackModel& playbackModel() { return playbackModel_; }
    const PlaybackModel& playbackModel() const { return playbackModel_; }
    PlayerActions& actions();
    Playback& playback();

    // Windows are created hidden on first use and live until unloaded.
    MainWindow& mainWindow();
    PlaylistWindow& playlistWindow();
    bool playlistLoaded() const { return playlist_.get() != nullptr; }
    // The playlist window if it is loaded; nothing is created.
    PlaylistWindow* playlistIfLoaded() const { return playlist_.get(); }
    // Unloads the playlist window: its list is discarded.
    void unloadPlaylist();

    // A window that behaves as modal holds the main window and the playlist window disabled
    // while it is open. Holds nest: the two are enabled again only when no window holds them,
    // so one window closing never frees them from under another.
    void holdPlayerWindows(const QObject* holder);
    // The holder lets go (a window that held nothing changes nothing for the others).
    void releasePlayerWindows(const QObject* holder);
    bool playerWindowsHeld() const { return !playerWindowHolders_.empty(); }
    FolderBrowser& folderBrowser();
    FolderBrowser* folderBrowserIfLoaded() const { return folderBrowser_.get(); }
    OptionsDialog& optionsDialog();
    // The title search: created when first needed, destroyed when unloaded.
    TitleSearchWindow& searchWindow();
    TitleSearchWindow* searchIfLoaded() const { return search_.get(); }
    // The track information, the help viewer and the standard-folder chooser are made by
    // whoever opens them, from what the program holds; get() finds the one that is loaded.
    WindowSlot<TrackInfoWindow> trackInfo;
    WindowSlot<HelpWindow> help;
    WindowSlot<FolderChooser> folderChooser;
    // The quick-info popup: created when first needed, destroyed when unloaded.
    TrackChangePopup& popup();
    TrackChangePopup* popupIfLoaded() const { return popup_.get(); }

    // A scan of the saved folders, about 200 ms from now unless one is pending already. A scan
    // that is already listing is superseded: its result is dropped.
    void requestScan();
    // A scan is pending or listing.
    bool scanPending() const { return folderScan_ != nullptr; }
    // Drops a pending or listing scan; the store is published as it stands.
    void abandonScan();

    // folders.dat was read cut short and the user was told so; cleared when it is written anew.
    bool foldersCutTold = false;
    // The question before the end of the program is on screen.
    bool exitQuestionOpen = false;

private:
    void applyPlayerWindowHolds();

    QString programFolder_;
    QString helpFile_;
    PlatformServices services_;
    SettingsModel settings_;
    PlaybackModel playbackModel_;
    std::unique_ptr<PlayerActions> actions_;
    std::unique_ptr<Playback> playback_;
    std::unique_ptr<MainWindow> mainWindow_;
    WindowSlot<PlaylistWindow> playlist_;
    std::unique_ptr<FolderBrowser> folderBrowser_;
    std::unique_ptr<OptionsDialog> optionsDialog_;
    std::unique_ptr<FolderScan> folderScan_;
    WindowSlot<TitleSearchWindow> search_;
    WindowSlot<TrackChangePopup> popup_;
    std::vector<const QObject*> playerWindowHolders_;
};
