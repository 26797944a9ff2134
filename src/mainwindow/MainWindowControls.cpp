// The main window's controls and menus, placed in twips as designed.
#include <QApplication>
#include <QKeySequence>
#include <QPixmap>

#include "app/Program.h"
#include "mainwindow/MainWindow.h"
#include "skin/SkinColors.h"
#include "skin/SkinFonts.h"
#include "skin/XpmImage.h"
#include "util/MenuTable.h"

using skinfonts::Face;

namespace {

using skincolors::kBlue;
using skincolors::kGreen;
using skincolors::kRed;
using skincolors::kTooltipBlue;
using skincolors::kWhite;
QFont skinFont(Face face, double points, bool bold = false) {
    return skinfonts::font(face, points, bold);
}

QColor systemWindowColor() {
    return QApplication::palette().color(QPalette::Base);
}
QColor systemWindowTextColor() {
    return QApplication::palette().color(QPalette::Text);
}

}  // namespace

void Form1::buildControls() {
    const auto make = [this](const char* name, double left, double top, double width,
                             double height) {
        auto* label = new SkinLabel(this);  // owned by the window
        label->setObjectName(QString::fromLatin1(name));
        label->setTwipsPerPixel(program_.desktop().twipsPerPixelX(),
                                program_.desktop().twipsPerPixelY());
        placeTwips(*label, left, top, width, height);
        return label;
    };
    const auto frame = [this](const char* name, double left, double top, double side) {
        auto* shape = new SkinFrame(this);
        shape->setObjectName(QString::fromLatin1(name));
        placeTwips(*shape, left, top, side, side);
        return shape;
    };
    // A horizontal line from x1 to x2 at y.
    const auto line = [this](const char* name, double x1, double x2, double y) {
        auto* l = new SkinLine(this);
        l->setObjectName(QString::fromLatin1(name));
        placeTwips(*l, std::min(x1, x2), y, std::abs(x2 - x1), 15);
        return l;
    };
    const auto titleButton = [&](const char* name, double left, double top, double width,
                                 const QString& caption, const QString& tip) {
        SkinLabel* l = make(name, left, top, width, 210);
        l->setForeColor(kGreen);
        l->setFont(skinFont(Face::Tahoma, 9, true));
        l->setAutoSize(true);
        l->setCaption(caption);
        l->setToolTip(tip);
        return l;
    };
    const auto textButton = [&](const char* name, double left, const QString& caption,
                                const QColor& back, const QString& tip, double top = 1800) {
        SkinLabel* l = make(name, left, top, 645, 225);
        l->setBackColor(back);
        l->setForeColor(systemWindowTextColor());
        l->setFrameStyle(QFrame::Box | QFrame::Plain);
        l->setLineWidth(1);
        l->setAlignment(Qt::AlignCenter);
        l->setFont(skinFont(Face::SansSerif, 8.25));
        l->setCaption(caption);
        l->setToolTip(tip);
        return l;
    };
    const QCursor transportCursor(skinimages::xpm(QStringLiteral(":/images/cursor.xpm")), 8, 0);
    const auto transport = [&](const char* name, double left, double top, const QString& caption,
                               SkinLabel::Glyph glyph, const QString& tip, bool enabled) {
        SkinLabel* l = make(name, left, top, 285, 360);
        l->setForeColor(kGreen);
        l->setCaption(caption);
        l->setGlyph(glyph);
        l->setToolTip(tip);
        l->setCursor(transportCursor);
        l->setEnabled(enabled);
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

    Label16 = make("Label16", 0, 2085, 210, 195);
    Label16->setForeColor(kRed);
    Label16->setFont(skinFont(Face::Tahoma, 8.25, true));
    Label16->setCaption(QStringLiteral("  i"));
    Label16->setToolTip(QStringLiteral("Playlist-Information"));
    Label16->setEnabled(false);

    Shape3 = frame("Shape3", 5710, 15, 195);
    Shape2 = frame("Shape2", 6190, 15, 195);
    Shape1 = frame("Shape1", 5960, 15, 195);

    lblST = make("lblST", 1680, 1000, 0, 195);
    lblST->setBackColor(kTooltipBlue);
    lblST->setFont(skinFont(Face::Tahoma, 8.25));
    lblST->setAutoSize(true);
    lblST->hide();

    Label14 = titleButton("Label14", 5760, 0, 105, QStringLiteral("?"), QStringLiteral("Hilfe"));
    Label13 =
        titleButton("Label13", 5985, -30, 120, QStringLiteral("_"), QStringLiteral("Minimieren"));
    Label9 =
        titleButton("Label9", 6240, 0, 120, QStringLiteral("X"), QStringLiteral("Player Beenden"));

    Line2 = line("Line2", 6360, 0, 240);

    Label6 = make("Label6", 0, -15, 5685, 255);
    Label6->setForeColor(kBlue);
    Label6->setFont(skinFont(Face::Dungeon, 9.75));
    Label6->setCaption(QStringLiteral(" MP3-Brambleplayer"));

    lblplaylist = make("lblplaylist", 240, 2085, 4575, 255);
    lblplaylist->setForeColor(kGreen);
    lblplaylist->setFont(skinFont(Face::Tahoma, 8.25, true));

    lblttVol = make("lblttVol", 5280, 480, 0, 195);
    lblttVol->setBackColor(kTooltipBlue);
    lblttVol->setAutoSize(true);
    lblttVol->hide();

    muting = image("muting", 4815, 675, 480, 495, ":/images/speaker.xpm");
    muting->setToolTip(QStringLiteral("Ton ausschalten"));
    imgVol = image("imgVol", 5880, 780, 210, 210, ":/images/thumb.xpm");
    imgVol->setToolTip(QStringLiteral("Lautstärke"));
    Line1 = line("Line1", 5400, 6240, 885);
    lblVol = make("lblVol", 5400, 825, 855, 135);
    imgnotch = image("imgnotch", 1560, 1280, 210, 210, ":/images/notch.xpm");
    lblbar = make("lblbar", 1560, 1320, 3375, 135);
    lblbar->setForeColor(kGreen);  // shows only in the focus mark

    lblinfo = textButton("lblinfo", 2880, QStringLiteral("Info"), systemWindowColor(),
                         QStringLiteral("Zeigt Informationen zur aktuell gespielen MP3"));
    lblinfo->setEnabled(false);

    Label2 = make("Label2", 5760, 2080, 165, 300);
    Label2->setForeColor(kWhite);
    Label2->setFont(skinFont(Face::SansSerif, 12, true));
    Label2->setAutoSize(true);
    Label2->setCaption(QStringLiteral("+"));
    Label2->setToolTip(QStringLiteral("Playlist vergrößern"));

    Label8 = textButton("Label8", 5760, QStringLiteral("Exit"), kWhite,
                        QStringLiteral("Programm beenden"));
    Label12 = textButton("Label12", 3600, QStringLiteral("Normal"), kRed,
                         QStringLiteral("Playlist normal abspielen"));
    Label10 = textButton("Label10", 2160, QStringLiteral("Clear"), kWhite,
                         QStringLiteral("Löscht alle Einträge der Playlist"));
    Label7 = textButton("Label7", 0, QStringLiteral("Insert"), systemWindowColor(),
                        QStringLiteral("MP3-Verzeichnis hinzufügen"));
    Label5 = textButton("Label5", 5040, QStringLiteral("Options"), kWhite,
                        QStringLiteral("Programmoptionen aufrufen"));
    Label4 = textButton("Label4", 4320, QStringLiteral("Shuffle"), kWhite,
                        QStringLiteral("Tracks in zufälliger Reihenfolge spielen"));
    Label3 = textButton("Label3", 1440, QStringLiteral("Save"), systemWindowColor(),
                        QStringLiteral("Speichert die Playlist"));
    // Red marks the active play order.
    Label12->setCheckedBackColor(kRed);
    Label4->setCheckedBackColor(kRed);
    Label1 = textButton("Label1", 720, QStringLiteral("Search"), systemWindowColor(),
                        QStringLiteral("Sucht einen Eintrag in der Playlist (F2)"));
    Label11 = textButton("Label11", 0, QStringLiteral("Open"), systemWindowColor(),
                         QStringLiteral("Einzelne MP3 abspielen"), 720);

    hidepl = make("hidepl", 6165, 2040, 285, 360);
    hidepl->setForeColor(kRed);
    hidepl->setCaption(QStringLiteral("5"));
    hidepl->setGlyph(SkinLabel::Glyph::UpTriangle);
    hidepl->setToolTip(QStringLiteral("Playlist verbergen"));
    hidepl->setEnabled(false);
    showpl = make("showpl", 5925, 2040, 285, 360);
    showpl->setForeColor(kRed);
    showpl->setCaption(QStringLiteral("6"));
    showpl->setGlyph(SkinLabel::Glyph::DownTriangle);
    showpl->setToolTip(QStringLiteral("Playlist zeigen"));

    using G = SkinLabel::Glyph;
    btnnext = transport("btnnext", 4080, 720, QStringLiteral(":"), G::SkipForward,
                        QStringLiteral("Nächster Track"), true);
    btnpause = transport("btnpause", 3120, 720, QStringLiteral(";"), G::Pause,
                         QStringLiteral("Pause"), false);
    btnstop = transport("btnstop", 2640, 720, QStringLiteral("<"), G::Stop, QStringLiteral("Stop"),
                        false);
    btnprev = transport("btnprev", 2160, 720, QStringLiteral("9"), G::SkipBack,
                        QStringLiteral("Letzter Track"), true);
    btnplay = transport("btnplay", 3600, 735, QStringLiteral("4"), G::Play, QStringLiteral("Play"),
                        false);

    lbltime = make("lbltime", 5280, 1200, 975, 210);
    lbltime->setForeColor(kGreen);
    lbltime->setFont(skinFont(Face::Tahoma, 9));
    lbltime->setAlignment(Qt::AlignCenter);
    lbltime->setAutoSize(true);
    lbltime->setCaption(QStringLiteral("0:00 / 0:00"));
    lbltime->setToolTip(QStringLiteral("aktuelle Zeit / Zeit insgesamt"));

    lbltracktitle = make("lbltracktitle", 2280, 360, 1920, 240);
    lbltracktitle->setForeColor(kGreen);
    lbltracktitle->setFont(skinFont(Face::Tahoma, 9.75, true));
    lbltracktitle->setAlignment(Qt::AlignCenter);
    lbltracktitle->setAutoSize(true);
    lbltracktitle->setCaption(kNoFileLoaded);
    lbltracktitle->setToolTip(QStringLiteral("Es läuft gerade dieser Track"));

    timeline = line("timeline", 4920, 1560, 1380);

    muting2 = image("muting2", 4815, 675, 480, 495, ":/images/speaker_muted.xpm");
    muting2->setToolTip(QStringLiteral("Ton einschalten"));  // its name while it is hidden
    muting2->hide();

    Label15 = make("Label15", 5160, 45, 450, 255);
    Label15->setForeColor(kBlue);
    Label15->setFont(skinFont(Face::Dungeon, 8.25));
    Label15->setCaption(QStringLiteral("v. 1.0"));
}

void Form1::buildMenus() {
    const auto menu = [this](const char* name, const char* title,
                             std::initializer_list<MenuItem> items, QMenu* parentMenu = nullptr) {
        auto* m = new QMenu(QString::fromUtf8(title),
                            parentMenu != nullptr ? static_cast<QWidget*>(parentMenu) : this);
        m->setObjectName(QString::fromLatin1(name));
        addMenuItems(*m, items);
        return m;
    };

    mnuplayer = menu("mnuplayer", "&Player",
                     {{"load_mp3", "Einzelne MP3 öffnen"},
                      {"t2", "-"},
                      {"optionen", "Programmoptionen"},
                      {"t3", "-"},
                      {"mnuend", "Beenden"}});
    mnuplaylist = menu("mnuplaylist", "&Playlist",
                       {{"mnuinsert", "MP3 hinzufügen"},
                        {"t5", "-"},
                        {"mnuloadpl", "Playlist laden", false},
                        {"mnusavepl", "Playlist speichern", false},
                        {"t1", "-"},
                        {"mnuclear", "Playlist-Einträge löschen"},
                        {"mnudelete", "MP3 aus Playlist entfernen"}});
    mnuansicht = menu("mnuansicht", "&Ansicht", {{"mnushowplaylist", "Playlist zeigen/verbergen"}});
    help = menu("help", "&?", {{"mnuhelp", "Hilfe"}, {"t4", "-"}, {"mnuinfo", "Info"}});
    mnupopup1 = menu("mnupopup1", "Popup1",
                     {{"mnuinsert1", "Hinzufügen"},
                      {"mnudelete1", "Selektierter Track Löschen", false},
                      {"mnudeleteall1", "Alles Löschen"},
                      {"tp1", "-"},
                      {"mnuplay", "Selektierter Track Spielen", false}});
    mnusystemtray = menu("mnusystemtray", "popup2",
                         {{"mnushowpl", "Player wieder zeigen"},
                          {"mnushowquick", "Quickinfo zeigen"},
                          {"t6", "-"},
                          {"mnuplayagain", "Wiedergeben", false},
                          {"mnupause", "Pause", false},
                          {"t12", "-"}});
    mnuvolume = menu("mnuvolume", "Lautstärke",
                     {{"mnuvolup", "Lauter um 10%"},
                      {"mnuvolup1", "Lauter um 5%"},
                      {"tl", "-"},
                      {"mnuvoldown1", "Leiser um 5%"},
                      {"mnuvoldown", "Leiser um 10%"}},
                     mnusystemtray);
    mnusystemtray->addMenu(mnuvolume);
    addMenuItems(*mnusystemtray, {{"tr1", "-"},
                                  {"mnunext", "Nächster Track"},
                                  {"mnulast", "Letzter Track"},
                                  {"t7", "-"},
                                  {"playnormal", "Tracks normal abspielen", true, true},
                                  {"playshuffle", "Tracks zufällig abspielen"},
                                  {"t8", "-"},
                                  {"mnuoptions", "Optionen"},
                                  {"trenn", "-"},
                                  {"mnuexit2", "Beenden"}});

    load_mp3 = menuItem(QStringLiteral("load_mp3"));
    optionen = menuItem(QStringLiteral("optionen"));
    mnuend = menuItem(QStringLiteral("mnuend"));
    mnuhelp = menuItem(QStringLiteral("mnuhelp"));
    mnushowpl = menuItem(QStringLiteral("mnushowpl"));
    mnushowquick = menuItem(QStringLiteral("mnushowquick"));
    mnuplayagain = menuItem(QStringLiteral("mnuplayagain"));
    mnupause = menuItem(QStringLiteral("mnupause"));
    mnunext = menuItem(QStringLiteral("mnunext"));
    mnulast = menuItem(QStringLiteral("mnulast"));
    playnormal = menuItem(QStringLiteral("playnormal"));
    playshuffle = menuItem(QStringLiteral("playshuffle"));
    mnuoptions = menuItem(QStringLiteral("mnuoptions"));
    mnuexit2 = menuItem(QStringLiteral("mnuexit2"));
    playshuffle->setCheckable(true);

    // The menus are never shown as a bar, so the shortcut keys must live on the window.
    load_mp3->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    optionen->setShortcut(QKeySequence(Qt::Key_F3));
    mnuhelp->setShortcut(QKeySequence(Qt::Key_F1));
    for (QAction* action : {load_mp3, optionen, mnuhelp}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
}
