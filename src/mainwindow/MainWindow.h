#pragma once

#include <QCloseEvent>
#include <QMenu>
#include <QString>
#include <QWidget>
#include <memory>

#include "platform/FileDialog.h"
#include "platform/MediaPlayer.h"
#include "skin/SkinLabel.h"
#include "skin/SkinShapes.h"
#include "skin/WindowTimer.h"

class Program;

// The title the main window shows while no file is loaded.
inline const QString kNoFileLoaded = QStringLiteral("Keine Datei geladen");
class Chrome;
class PlayerKeys;
class PositionBar;
class Transport;
class Tray;
class VolumeControl;

// The main window: a borderless, black, skinned window whose every button is a label.
// It holds the controls and reports window events; the behaviour lives in its components
// (chrome here, the rest wired up at start-up).
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // Design size of the client area in twips.
    static constexpr double kDesignWidth = 6405;
    static constexpr double kDesignHeight = 2325;
    static constexpr double kDesignLeft = 4575;
    static constexpr double kDesignTop = 1755;
    static constexpr int kMarqueeWidth = 6500;  // a wider title scrolls

    explicit MainWindow(Program& program);
    ~MainWindow() override;

    Program& program() const { return program_; }
    Chrome& chrome() const { return *chrome_; }
    Transport& transport() const { return *transport_; }
    PositionBar& position() const { return *position_; }
    VolumeControl& volume() const { return *volume_; }
    Tray& tray() const { return *tray_; }
    PlayerKeys& keys() const { return *keys_; }

    // Geometry of a control in twips, as designed (the window's own arithmetic uses these).
    void placeTwips(QWidget& control, double left, double top, double width, double height) const;
    double controlLeftTwips(const QWidget& control) const;
    double controlWidthTwips(const QWidget& control) const;
    void setControlLeftTwips(QWidget& control, double left) const;
    void setControlHeightTwips(QWidget& control, double height) const;

    // Destroys the two players, so that the sound stops at once.
    void releasePlayers();

    // Finds any menu item by its name.
    QAction* menuItem(const QString& name) const;

    // What other windows read or set of this window by design, and why:
    //   player()          remote control: play state, position, the loaded file
    //   infoPlayer()      track info: reads a file's length and tags with the second player
    //   fileDialog()      playlist save: the main window's dialog
    //   playTime()        quick-info popup: shows the clock
    //   setPlaylistCount  playlist: tells how many lines it holds
    //   menuItem()        remote control: raise, next and previous act as the tray's items
    MediaPlayer* player() const { return player_.get(); }
    MediaPlayer* infoPlayer() const { return infoPlayer_.get(); }
    FileDialog* fileDialog() const { return fileDialog_.get(); }
    QString playTime() const;
    void setPlaylistCount(int lines);

    // The file loaded by "Open" or the playlist ("" when none).
    const QString& loadedFile() const { return loadedFile_; }
    void setLoadedFile(const QString& path) { loadedFile_ = path; }

    // The playlist's show/hide glyphs, the playlist menu and the playlist mark, all at once.
    void setPlaylistShown(bool shown);
    // Only the show/hide glyphs: the playlist window went away, the rest stays as it was.
    void setPlaylistGlyphs(bool shown);
    bool playlistWanted() const { return playlistMark_.toInt() == 1; }
    const QString& playlistMark() const { return playlistMark_; }
    void setPlaylistMark(const QString& mark) { playlistMark_ = mark; }
    // The size toggle's glyph: "-" in red while the playlist is enlarged, "+" otherwise.
    void setEnlarged(bool enlarged);
    bool isEnlarged() const;

    // The playlist clock starts once the playlist plays a line.
    void startPlaylistClock();
    // The docking timer looks again, or sleeps until something moves.
    void wakeDocking();
    void sleepDocking();

signals:
    // What the window's buttons and menu items ask of others; wired up at start-up.
    void exitRequested();
    void showPlaylistRequested();
    void hidePlaylistRequested();
    void sizeToggleRequested();
    void clearRequested();
    void saveListRequested();
    void addFolderRequested();
    void searchRequested();
    void helpRequested();
    void optionsRequested();
    // F6: the keyboard moves on to the playlist window.
    void playlistFocusRequested();
    // The docking timer ticked.
    void dockingTick();
    // The clock shows another time.
    void playTimeChanged();

signals:
    // Delivered directly: a handler may ignore() the event to keep the window open.
    void closeRequested(QCloseEvent* event);
    void activated();
    // Every size or window-state change.
    void resized();
    // The window moved or changed size.
    void geometryChanged();
    // The window has been painted for the first time.
    void firstPainted();
    // The mouse moved over the bare window, not over one of its controls.
    void mouseMoved();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The window's components work its controls.
    friend class Chrome;
    friend class Transport;
    friend class PositionBar;
    friend class VolumeControl;
    friend class Tray;
    friend class PlayerKeys;

    void buildControls();
    void buildMenus();
    void wireRequests();

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
    QString loadedFile_;
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
    SkinLine* titleRule;
    SkinLabel* titleBar;
    SkinLabel* playlistCountLabel;
    SkinLabel* volumeTip;
    SkinLabel* muteButton;
    SkinLabel* volumeThumb;
    SkinLine* volumeRule;
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
    SkinLine* positionRule;
    SkinLabel* unmuteButton;
    SkinLabel* versionLabel;

    // Menus: none is shown as a menu bar; their items act through shortcut keys, the tray
    // menu through the tray icon.
    QMenu* playerMenu;
    QMenu* playlistMenu;
    QMenu* viewMenu;
    QMenu* helpMenu;
    QMenu* listMenu;
    QMenu* trayMenu;
    QMenu* volumeMenu;
    QAction* openFileItem;
    QAction* optionsItem;
    QAction* exitItem;
    QAction* helpItem;
    QAction* showPlayerItem;
    QAction* showPopupItem;
    QAction* resumeItem;
    QAction* pauseItem;
    QAction* nextItem;
    QAction* previousItem;
    QAction* normalOrderItem;
    QAction* shuffleItem;
    QAction* trayOptionsItem;
    QAction* trayExitItem;

    // Tab takes the buttons and sliders in reading order, top to bottom, left to right.
    void buildTabOrder();

    Program& program_;
    Chrome* chrome_ = nullptr;
    Transport* transport_ = nullptr;
    PositionBar* position_ = nullptr;
    VolumeControl* volume_ = nullptr;
    Tray* tray_ = nullptr;
    PlayerKeys* keys_ = nullptr;
    bool painted_ = false;
};
