#pragma once

#include <QAction>
#include <QActionGroup>

// Every command of the player, made once and shared by the skin buttons, the menus (the tray's
// classic and D-Bus menu among them), the keys and the desktop's media controls. Where a button
// and a menu item look alike but act differently, each has its own action, and the comment says
// what differs. Only the actions that menus show have a text.
class PlayerActions {
public:
    PlayerActions();
    PlayerActions(const PlayerActions&) = delete;
    PlayerActions& operator=(const PlayerActions&) = delete;

    // Before the actions: they leave it as they go.
    QActionGroup order{nullptr};

    // The transport glyphs. Play, pause and stop wait for a file to be loaded.
    QAction play;
    // The pause glyph pauses or resumes; the tray's "Pause" only pauses and "Wiedergeben" only
    // resumes, each offering the other afterwards.
    QAction togglePause;
    QAction stop;
    // The glyphs and the keys also start the main window's clock, and "Open" disables them; the
    // tray's items (and the desktop's Next and Previous) leave the clock as it is and always act.
    QAction nextWithClock;
    QAction previousWithClock;
    QAction next{QStringLiteral("Nächster Track")};
    QAction previous{QStringLiteral("Letzter Track")};
    QAction pause{QStringLiteral("Pause")};
    QAction resume{QStringLiteral("Wiedergeben")};
    // "Open" plays the chosen file (or, cancelled, what the player holds); Ctrl+M only loads it.
    QAction open;
    QAction loadFile{QStringLiteral("Einzelne MP3 öffnen")};
    // The buttons "Normal" and "Shuffle" (and the desktop's Shuffle) put their order in force.
    // The tray's items, in the group `order`, do the same, except that choosing the order in
    // force again leaves none in force: list order, no button marked. Their marks show the
    // order chosen last.
    QAction chooseNormalOrder;
    QAction chooseShuffleOrder;
    QAction normalOrder{QStringLiteral("Tracks normal abspielen")};
    QAction shuffleOrder{QStringLiteral("Tracks zufällig abspielen")};

    QAction mute;
    QAction unmute;
    QAction volumeUp10{QStringLiteral("Lauter um 10%")};
    QAction volumeUp5{QStringLiteral("Lauter um 5%")};
    QAction volumeDown5{QStringLiteral("Leiser um 5%")};
    QAction volumeDown10{QStringLiteral("Leiser um 10%")};

    QAction showPlayer{QStringLiteral("Player wieder zeigen")};
    QAction showPopup{QStringLiteral("Quickinfo zeigen")};
    QAction minimise;
    QAction showPlaylist;
    QAction hidePlaylist;
    QAction togglePlaylistSize;
    QAction insertFolder;
    QAction search;
    QAction saveList;
    QAction clear{QStringLiteral("Alles Löschen")};
    QAction options{QStringLiteral("Optionen")};
    QAction help{QStringLiteral("Hilfe")};
    QAction exit{QStringLiteral("Beenden")};
};
