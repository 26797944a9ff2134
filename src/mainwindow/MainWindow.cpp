#include "mainwindow/MainWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include "mainwindow/Chrome.h"
#include "mainwindow/Docking.h"
#include "mainwindow/PlayerKeys.h"
#include "mainwindow/PositionBar.h"
#include "mainwindow/Tray.h"
#include "mainwindow/VolumeControl.h"
#include "model/PlaybackModel.h"
#include "model/PlayerActions.h"
#include "skin/SkinColors.h"
#include "skin/XpmImage.h"
#include "util/Twips.h"

MainWindow::MainWindow(const PlatformServices& services, SettingsModel& settings,
                       PlaybackModel& model, PlayerActions& actions)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      services_(services),
      settings_(settings),
      model_(model),
      actions_(actions) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("MP3-Brambleplayer"));
    setWindowIcon(QIcon(skinimages::xpm(QStringLiteral(":/images/icon.xpm"))));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    setMouseTracking(true);  // moving over the bare window hides the seek tooltip

    const auto timer = [this](const char* name, int interval, bool enabled) {
        auto* t = new WindowTimer(interval, enabled, this);
        t->setObjectName(QString::fromLatin1(name));
        return t;
    };
    dockingTimer = timer("dockingTimer", 1, true);
    volumeDragTimer = timer("volumeDragTimer", 0, true);
    windowDragTimer = timer("windowDragTimer", 0, true);
    marqueeTimer = timer("marqueeTimer", 400, false);
    positionTimer = timer("positionTimer", 100, false);

    if (services.makeFileDialog) {
        fileDialog_ = services.makeFileDialog();
    }
    if (services.makePlayer) {
        player_ = services.makePlayer();
        infoPlayer_ = services.makePlayer();
    }

    twips::setGeometry(*this, kDesignLeft, kDesignTop, kDesignWidth, kDesignHeight, desktop());
    buildControls();
    buildMenus();
    bindButtons();
    chrome_ = new Chrome(*this);  // components are owned by the window
    docking_ = new Docking(*this, *services.windows);
    position_ = new PositionBar(*this);
    volume_ = new VolumeControl(*this);
    tray_ = new Tray(*this);
    keys_ = new PlayerKeys(*this);
    buildTabOrder();
    connect(clock, &SkinLabel::captionChanged, this, &MainWindow::playTimeChanged);
    connect(&model_, &PlaybackModel::orderChanged, this, &MainWindow::showOrder);
    connect(&model_, &PlaybackModel::clockStarted, positionTimer,
            [this] { positionTimer->setEnabled(true); });
    showOrder();
}

void MainWindow::bindButtons() {
    PlayerActions& a = actions_;
    const std::pair<SkinLabel*, QAction*> buttons[] = {
        {playButton, &a.play},
        {pauseButton, &a.togglePause},
        {stopButton, &a.stop},
        {nextButton, &a.nextWithClock},
        {previousButton, &a.previousWithClock},
        {openButton, &a.open},
        {normalOrderButton, &a.chooseNormalOrder},
        {shuffleButton, &a.chooseShuffleOrder},
        {muteButton, &a.mute},
        {unmuteButton, &a.unmute},
        {minimiseButton, &a.minimise},
        {closeButton, &a.exit},
        {exitButton, &a.exit},
        {showPlaylistButton, &a.showPlaylist},
        {hidePlaylistButton, &a.hidePlaylist},
        {playlistSizeButton, &a.togglePlaylistSize},
        {clearButton, &a.clear},
        {saveButton, &a.saveList},
        {insertButton, &a.insertFolder},
        {searchButton, &a.search},
        {optionsButton, &a.options},
    };
    for (const auto& [button, action] : buttons) {
        button->setAction(*action);
    }
}

void MainWindow::showOrder() {
    const auto mark = [this](PlaybackModel::Order order) {
        return model_.orderInForce() && model_.order() == order ? skincolors::kRed
                                                                : skincolors::kWhite;
    };
    normalOrderButton->setBackColor(mark(PlaybackModel::Order::Normal));
    shuffleButton->setBackColor(mark(PlaybackModel::Order::Shuffle));
}

QString MainWindow::playTime() const {
    return clock->caption();
}

void MainWindow::setPlaylistCount(int lines) {
    playlistCountLabel->setCaption(QStringLiteral("Playlist mit %1 MP3").arg(lines));
}

void MainWindow::setPlaylistShown(bool shown) {
    setPlaylistGlyphs(shown);
    playlistMark_ = shown ? QStringLiteral("1") : QStringLiteral("0");
}

void MainWindow::setPlaylistGlyphs(bool shown) {
    actions_.hidePlaylist.setEnabled(shown);
    actions_.showPlaylist.setEnabled(!shown);
}

void MainWindow::setEnlarged(bool enlarged) {
    enlarged_ = enlarged;
    playlistSizeButton->setCaption(enlarged ? QStringLiteral("-") : QStringLiteral("+"));
    playlistSizeButton->setToolTip(enlarged ? QStringLiteral("Playlist verkleinern (normale Größe)")
                                            : QStringLiteral("Playlist vergrößern"));
    playlistSizeButton->setForeColor(enlarged ? skincolors::kRed : skincolors::kWhite);
}

void MainWindow::buildTabOrder() {
    chainTabOrder({minimiseButton,     closeButton,        openButton,        previousButton,
                   stopButton,         pauseButton,        playButton,        nextButton,
                   muteButton,         unmuteButton,       volumeThumb,       positionTrack,
                   insertButton,       searchButton,       saveButton,        clearButton,
                   normalOrderButton,  shuffleButton,      optionsButton,     exitButton,
                   playlistSizeButton, showPlaylistButton, hidePlaylistButton});
    muteButton->setFocusPartner(unmuteButton);
    unmuteButton->setFocusPartner(muteButton);
    showPlaylistButton->setFocusPartner(hidePlaylistButton);
    hidePlaylistButton->setFocusPartner(showPlaylistButton);
    // A click on the window takes the focus back from the buttons, and the window starts
    // with it: Space then plays or pauses rather than pressing the first button.
    setFocusPolicy(Qt::ClickFocus);
    setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::releasePlayers() {
    player_.reset();
    infoPlayer_.reset();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closeRequested(event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        emit resized();
    }
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        // Activated with no control focused (the window was disabled meanwhile), Qt would focus
        // the first of the Tab order, "Minimieren": Space would then hide the player.
        if (focusWidget() == nullptr) {
            setFocus(Qt::ActiveWindowFocusReason);
        }
    }
    return QWidget::event(event);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    emit mouseMoved();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (keys_->handle(*event, false)) {
        return;
    }
    if (event->keyCombination() == QKeyCombination(Qt::Key_F6)) {
        emit playlistFocusRequested();
        return;
    }
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        setFocus(Qt::OtherFocusReason);  // out of the buttons: Space plays or pauses again
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!painted_) {
        painted_ = true;
        emit firstPainted();
    }
}
