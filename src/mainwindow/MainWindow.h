#pragma once

#include <QCloseEvent>
#include <QMenu>
#include <QString>
#include <QWidget>
#include <memory>

#include "platform/FileDialog.h"
#include "platform/MediaPlayer.h"
#include "platform/Services.h"
#include "skin/SkinLabel.h"
#include "skin/SkinShapes.h"
#include "skin/WindowTimer.h"

class PlaybackModel;
class PlayerActions;
class SettingsModel;
class Chrome;
class Docking;
class PlayerKeys;
class PositionBar;
class Tray;
class VolumeControl;

// The main window: a borderless, black, skinned window whose every button is a label standing
// for one of the player's actions. It holds the controls, shows the playback model and reports
// window events; the behaviour lives in its parts (Chrome, Docking, PositionBar, VolumeControl,
// Tray, PlayerKeys), and its requests to the rest of the program are connected in app/Wiring.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // Design size of the client area in twips.
    static constexpr double kDesignWidth = 6405;
    static constexpr double kDesignHeight = 2325;
    static constexpr double kDesignLeft = 4575;
    static constexpr double kDesignTop = 1755;
    static constexpr int kMarqueeWidth = 6500;  // a wider title scrolls

    MainWindow(const PlatformServices& services, SettingsModel& settings, PlaybackModel& model,
               PlayerActions& actions);
    ~MainWindow() override;

    Chrome& chrome() const { return *chrome_; }
    Docking& docking() const { return *docking_; }
    PositionBar& position() const { return *position_; }
    VolumeControl& volume() const { return *volume_; }
    Tray& tray() const { return *tray_; }
    PlayerKeys& keys() const { return *keys_; }

    // Destroys the two players, so that the sound stops at once.
    void releasePlayers();

    // What other windows read or set of this window by design, and why:
    //   player()          playback: drives it; remote control: position and tags
    //   infoPlayer()      track info: reads a file's length and tags with the second player
    //   fileDialog()      playlist save and "Open": the main window's dialog
    //   playTime()        quick-info popup: shows the clock
    //   setPlaylistCount  playlist: tells how many lines it holds
    MediaPlayer* player() const { return player_.get(); }
    MediaPlayer* infoPlayer() const { return infoPlayer_.get(); }
    FileDialog* fileDialog() const { return fileDialog_.get(); }
    QString playTime() const;
    void setPlaylistCount(int lines);

    // The playlist's show/hide glyphs and the playlist mark, both at once.
    void setPlaylistShown(bool shown);
    // Only the show/hide glyphs: the playlist window went away, the rest stays as it was.
    void setPlaylistGlyphs(bool shown);
    bool playlistWanted() const { return playlistMark_.toInt() == 1; }
    const QString& playlistMark() const { return playlistMark_; }
    // The size toggle's glyph: "-" in red while the playlist is enlarged, "+" otherwise.
    void setEnlarged(bool enlarged);
    bool isEnlarged() const { return enlarged_; }

signals:
    // F6: the keyboard moves on to the playlist window.
    void playlistFocusRequested();
    // The clock shows another time.
    void playTimeChanged();
    // Delivered directly: a handler may ignore() the event to keep the window open.
    void closeRequested(QCloseEvent* event);
    // Every size or window-state change.
    void resized();
    // The window has been painted for the first time.
    void firstPainted();
    // The mouse moved over the bare window, not over one of its controls.
    void mouseMoved();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The window's components work its controls.
    friend class Chrome;
    friend class Docking;
    friend class PositionBar;
    friend class VolumeControl;
    friend class Tray;
    friend class PlayerKeys;

    const Desktop& desktop() const { return *services_.desktop; }
    void buildControls();
    void buildMenus();
    // Each button stands for its action: a click triggers it, and it is enabled while that is.
    void bindButtons();
    // Red marks the order in force.
    void showOrder();

    // Timers
    WindowTimer* dockingTimer;
    WindowTimer* volumeDragTimer;
    WindowTimer* windowDragTimer;
    WindowTimer* marqueeTimer;
    WindowTimer* positionTimer;

    std::unique_ptr<FileDialog> fileDialog_;
    std::unique_ptr<MediaPlayer> player_;
    std::unique_ptr<MediaPlayer> infoPlayer_;

    // What the window holds besides its controls.
    QString playlistMark_ = QStringLiteral("1");

    // Labels and images, in the window's own order.
    SkinLabel* playlistInfoButton;
    SkinFrame* helpFrame;
    SkinFrame* closeFrame;
    SkinFrame* minimiseFrame;
    SkinLabel* seekTip;
    SkinLabel* helpButton;
    SkinLabel* minimiseButton;
    SkinLabel* closeButton;
    SkinLabel* titleBar;
    SkinLabel* playlistCountLabel;
    SkinLabel* volumeTip;
    SkinLabel* muteButton;
    SkinLabel* volumeThumb;
    SkinLabel* volumeTrack;
    SkinLabel* positionNotch;
    SkinLabel* positionTrack;
    SkinLabel* infoButton;
    SkinLabel* playlistSizeButton;
    SkinLabel* exitButton;
    SkinLabel* normalOrderButton;
    SkinLabel* clearButton;
    SkinLabel* insertButton;
    SkinLabel* optionsButton;
    SkinLabel* shuffleButton;
    SkinLabel* saveButton;
    SkinLabel* searchButton;
    SkinLabel* openButton;
    SkinLabel* hidePlaylistButton;
    SkinLabel* showPlaylistButton;
    SkinLabel* nextButton;
    SkinLabel* pauseButton;
    SkinLabel* stopButton;
    SkinLabel* previousButton;
    SkinLabel* playButton;
    SkinLabel* clock;
    SkinLabel* titleMarquee;
    SkinLabel* unmuteButton;
    SkinLabel* versionLabel;

    // The tray icon's menu, and its volume submenu.
    QMenu* trayMenu;
    QMenu* volumeMenu;

    // Tab takes the buttons and sliders in reading order, top to bottom, left to right.
    void buildTabOrder();

    const PlatformServices& services_;
    SettingsModel& settings_;
    PlaybackModel& model_;
    PlayerActions& actions_;
    Chrome* chrome_ = nullptr;
    Docking* docking_ = nullptr;
    PositionBar* position_ = nullptr;
    VolumeControl* volume_ = nullptr;
    Tray* tray_ = nullptr;
    PlayerKeys* keys_ = nullptr;
    bool painted_ = false;
    bool enlarged_ = false;
};
