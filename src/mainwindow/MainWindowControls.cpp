// The main window's controls and menus, placed in twips as designed.
#include <QApplication>

#include "mainwindow/MainWindow.h"
#include "model/PlaybackModel.h"
#include "model/PlayerActions.h"
#include "skin/SkinColors.h"
#include "skin/SkinFonts.h"
#include "skin/XpmImage.h"
#include "util/MenuTable.h"
#include "util/Twips.h"

using skinfonts::Face;

namespace {

using skincolors::kBlue;
using skincolors::kGreen;
using skincolors::kRed;
using skincolors::kTooltipBlue;
using skincolors::kWhite;
}  // namespace

void MainWindow::buildControls() {
    const QColor systemWindow = QApplication::palette().color(QPalette::Base);
    const auto make = [this](const char* name, double left, double top, double width,
                             double height) {
        auto* label = new SkinLabel(this);  // owned by the window
        label->setObjectName(QString::fromLatin1(name));
        twips::setGeometry(*label, left, top, width, height, desktop());
        return label;
    };
    const auto frame = [this](const char* name, double left, double top, double side) {
        auto* shape = new SkinFrame(this);
        shape->setObjectName(QString::fromLatin1(name));
        twips::setGeometry(*shape, left, top, side, side, desktop());
        return shape;
    };
    // A horizontal line from x1 to x2 at y.
    const auto line = [this](const char* name, double x1, double x2, double y) {
        auto* l = new SkinFrame(this, true);
        l->setObjectName(QString::fromLatin1(name));
        twips::setGeometry(*l, std::min(x1, x2), y, std::abs(x2 - x1), 15, desktop());
    };
    const auto titleButton = [&](const char* name, double left, double top, double width,
                                 const QString& caption, const QString& tip) {
        SkinLabel* l = make(name, left, top, width, 210);
        l->setForeColor(kGreen);
        l->setFont(skinfonts::font(Face::Tahoma, 9, true));
        l->setAutoSize(true);
        l->setCaption(caption);
        l->setToolTip(tip);
        return l;
    };
    const auto textButton = [&](const char* name, double left, const QString& caption,
                                const QColor& back, const QString& tip, double top = 1800) {
        SkinLabel* l = make(name, left, top, 645, 225);
        l->setBackColor(back);
        l->setForeColor(QApplication::palette().color(QPalette::Text));
        l->setFrameStyle(QFrame::Box | QFrame::Plain);
        l->setLineWidth(1);
        l->setAlignment(Qt::AlignCenter);
        l->setFont(skinfonts::font(Face::SansSerif, 8.25));
        l->setCaption(caption);
        l->setToolTip(tip);
        return l;
    };
    const QCursor transportCursor(skinimages::xpm(QStringLiteral(":/images/cursor.xpm")), 8, 0);
    const auto transport = [&](const char* name, double left, double top, const QString& caption,
                               SkinLabel::Glyph glyph, const QString& tip) {
        SkinLabel* l = make(name, left, top, 285, 360);
        l->setForeColor(kGreen);
        l->setCaption(caption);
        l->setGlyph(glyph);
        l->setToolTip(tip);
        l->setCursor(transportCursor);
        return l;
    };
    const auto image = [&](const char* name, double left, double top, double width, double height,
                           const char* resource) {
        SkinLabel* l = make(name, left, top, width, height);
        l->setPixmap(skinimages::xpm(QString::fromLatin1(resource)));
        l->setAlignment(Qt::AlignCenter);
        l->setForeColor(kGreen);  // shows only in the focus mark
        return l;
    };

    playlistInfoButton = make("playlistInfoButton", 0, 2085, 210, 195);
    playlistInfoButton->setForeColor(kRed);
    playlistInfoButton->setFont(skinfonts::font(Face::Tahoma, 8.25, true));
    playlistInfoButton->setCaption(QStringLiteral("  i"));
    playlistInfoButton->setToolTip(QStringLiteral("Playlist-Information"));
    playlistInfoButton->setEnabled(false);

    helpFrame = frame("helpFrame", 5710, 15, 195);
    closeFrame = frame("closeFrame", 6190, 15, 195);
    minimiseFrame = frame("minimiseFrame", 5960, 15, 195);

    seekTip = make("seekTip", 1680, 1000, 0, 195);
    seekTip->setBackColor(kTooltipBlue);
    seekTip->setFont(skinfonts::font(Face::Tahoma, 8.25));
    seekTip->setAutoSize(true);
    seekTip->hide();

    helpButton =
        titleButton("helpButton", 5760, 0, 105, QStringLiteral("?"), QStringLiteral("Hilfe"));
    minimiseButton = titleButton("minimiseButton", 5985, -30, 120, QStringLiteral("_"),
                                 QStringLiteral("Minimieren"));
    closeButton = titleButton("closeButton", 6240, 0, 120, QStringLiteral("X"),
                              QStringLiteral("Player Beenden"));

    line("titleRule", 6360, 0, 240);

    titleBar = make("titleBar", 0, -15, 5685, 255);
    titleBar->setForeColor(kBlue);
    titleBar->setFont(skinfonts::font(Face::Dungeon, 9.75));
    titleBar->setCaption(QStringLiteral(" MP3-Brambleplayer"));

    playlistCountLabel = make("playlistCountLabel", 240, 2085, 4575, 255);
    playlistCountLabel->setForeColor(kGreen);
    playlistCountLabel->setFont(skinfonts::font(Face::Tahoma, 8.25, true));

    volumeTip = make("volumeTip", 5280, 480, 0, 195);
    volumeTip->setBackColor(kTooltipBlue);
    volumeTip->setAutoSize(true);
    volumeTip->hide();

    muteButton = image("muteButton", 4815, 675, 480, 480, ":/images/speaker.xpm");
    muteButton->setToolTip(QStringLiteral("Ton ausschalten"));
    volumeThumb = image("volumeThumb", 5880, 780, 210, 210, ":/images/thumb.xpm");
    volumeThumb->setToolTip(QStringLiteral("Lautstärke"));
    volumeThumb->setAccessibleName(QStringLiteral("Lautstärke"));  // its tip tells the level
    line("volumeRule", 5400, 6240, 885);
    volumeTrack = make("volumeTrack", 5400, 825, 855, 135);
    positionNotch = image("positionNotch", 1560, 1280, 210, 210, ":/images/notch.xpm");
    positionTrack = make("positionTrack", 1560, 1320, 3375, 135);
    positionTrack->setForeColor(kGreen);  // shows only in the focus mark
    positionTrack->setAccessibleName(QStringLiteral("Position"));

    infoButton = textButton("infoButton", 2880, QStringLiteral("Info"), systemWindow,
                            QStringLiteral("Zeigt Informationen zur aktuell gespielen MP3"));
    infoButton->setEnabled(false);

    playlistSizeButton = make("playlistSizeButton", 5760, 2080, 165, 300);
    playlistSizeButton->setForeColor(kWhite);
    playlistSizeButton->setFont(skinfonts::font(Face::SansSerif, 12, true));
    playlistSizeButton->setAutoSize(true);
    playlistSizeButton->setCaption(QStringLiteral("+"));
    playlistSizeButton->setToolTip(QStringLiteral("Playlist vergrößern"));

    exitButton = textButton("exitButton", 5760, QStringLiteral("Exit"), kWhite,
                            QStringLiteral("Programm beenden"));
    normalOrderButton = textButton("normalOrderButton", 3600, QStringLiteral("Normal"), kRed,
                                   QStringLiteral("Playlist normal abspielen"));
    clearButton = textButton("clearButton", 2160, QStringLiteral("Clear"), kWhite,
                             QStringLiteral("Löscht alle Einträge der Playlist"));
    insertButton = textButton("insertButton", 0, QStringLiteral("Insert"), systemWindow,
                              QStringLiteral("MP3-Verzeichnis hinzufügen"));
    optionsButton = textButton("optionsButton", 5040, QStringLiteral("Options"), kWhite,
                               QStringLiteral("Programmoptionen aufrufen"));
    shuffleButton = textButton("shuffleButton", 4320, QStringLiteral("Shuffle"), kWhite,
                               QStringLiteral("Tracks in zufälliger Reihenfolge spielen"));
    saveButton = textButton("saveButton", 1440, QStringLiteral("Save"), systemWindow,
                            QStringLiteral("Speichert die Playlist"));
    // Red marks the active play order.
    normalOrderButton->setCheckedBackColor(kRed);
    shuffleButton->setCheckedBackColor(kRed);
    searchButton = textButton("searchButton", 720, QStringLiteral("Search"), systemWindow,
                              QStringLiteral("Sucht einen Eintrag in der Playlist (F2)"));
    openButton = textButton("openButton", 0, QStringLiteral("Open"), systemWindow,
                            QStringLiteral("Einzelne MP3 abspielen"), 720);

    hidePlaylistButton = make("hidePlaylistButton", 6165, 2040, 285, 360);
    hidePlaylistButton->setForeColor(kRed);
    hidePlaylistButton->setCaption(QStringLiteral("5"));
    hidePlaylistButton->setGlyph(SkinLabel::Glyph::UpTriangle);
    hidePlaylistButton->setToolTip(QStringLiteral("Playlist verbergen"));
    showPlaylistButton = make("showPlaylistButton", 5925, 2040, 285, 360);
    showPlaylistButton->setForeColor(kRed);
    showPlaylistButton->setCaption(QStringLiteral("6"));
    showPlaylistButton->setGlyph(SkinLabel::Glyph::DownTriangle);
    showPlaylistButton->setToolTip(QStringLiteral("Playlist zeigen"));

    using G = SkinLabel::Glyph;
    nextButton = transport("nextButton", 4080, 720, QStringLiteral(":"), G::SkipForward,
                           QStringLiteral("Nächster Track"));
    pauseButton =
        transport("pauseButton", 3120, 720, QStringLiteral(";"), G::Pause, QStringLiteral("Pause"));
    stopButton =
        transport("stopButton", 2640, 720, QStringLiteral("<"), G::Stop, QStringLiteral("Stop"));
    previousButton = transport("previousButton", 2160, 720, QStringLiteral("9"), G::SkipBack,
                               QStringLiteral("Letzter Track"));
    playButton =
        transport("playButton", 3600, 735, QStringLiteral("4"), G::Play, QStringLiteral("Play"));

    clock = make("clock", 5280, 1200, 975, 210);
    clock->setForeColor(kGreen);
    clock->setFont(skinfonts::font(Face::Tahoma, 9));
    clock->setAlignment(Qt::AlignCenter);
    clock->setAutoSize(true);
    clock->setCaption(QStringLiteral("0:00 / 0:00"));
    clock->setToolTip(QStringLiteral("aktuelle Zeit / Zeit insgesamt"));

    titleMarquee = make("titleMarquee", 2280, 360, 1920, 240);
    titleMarquee->setForeColor(kGreen);
    titleMarquee->setFont(skinfonts::font(Face::Tahoma, 9.75, true));
    titleMarquee->setAlignment(Qt::AlignCenter);
    titleMarquee->setAutoSize(true);
    titleMarquee->setCaption(model_.title());
    titleMarquee->setToolTip(QStringLiteral("Es läuft gerade dieser Track"));

    line("positionRule", 4920, 1560, 1380);

    unmuteButton = image("unmuteButton", 4815, 675, 480, 495, ":/images/speaker_muted.xpm");
    unmuteButton->setToolTip(QStringLiteral("Ton einschalten"));  // its name while it is hidden
    unmuteButton->hide();

    versionLabel = make("versionLabel", 5160, 45, 450, 255);
    versionLabel->setForeColor(kBlue);
    versionLabel->setFont(skinfonts::font(Face::Dungeon, 8.25));
    versionLabel->setCaption(QStringLiteral("v. 1.0"));
}

void MainWindow::buildMenus() {
    PlayerActions& a = actions_;
    trayMenu = new QMenu(QStringLiteral("popup2"), this);
    trayMenu->setObjectName(QStringLiteral("trayMenu"));
    addMenuItems(*trayMenu, {a.showPlayer, a.showPopup, "-", a.resume, a.pause, "-"});
    volumeMenu = new QMenu(QStringLiteral("Lautstärke"), trayMenu);
    volumeMenu->setObjectName(QStringLiteral("volumeMenu"));
    addMenuItems(*volumeMenu, {a.volumeUp10, a.volumeUp5, "-", a.volumeDown5, a.volumeDown10});
    trayMenu->addMenu(volumeMenu);
    addMenuItems(*trayMenu, {"-", a.next, a.previous, "-", a.normalOrder, a.shuffleOrder, "-",
                             a.options, "-", a.exit});
}
