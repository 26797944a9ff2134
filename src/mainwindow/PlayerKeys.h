#pragma once

#include <QKeyCombination>
#include <QObject>
#include <functional>
#include <vector>

class MainWindow;
class QKeyEvent;

// The player's keys. Each triggers the action of the matching control of the main window, which
// does nothing while it is disabled: Space plays or pauses, Left and Right jump 5 s, Up and Down
// step the volume as the tray does, Ctrl+Left and Ctrl+Right take the previous or next track,
// M mutes, F2 opens the search; the media keys likewise, the play key toggling as the play/pause
// key does. Ctrl+M, F1 and F3 are the main window's shortcuts: load a file, help, options.
class PlayerKeys : public QObject {
    Q_OBJECT
public:
    explicit PlayerKeys(MainWindow& form);

    // Acts on a key of the player and tells whether it was one. A key pressed in a list that
    // means something there (Up, Down, Space, letters) is left to the list.
    bool handle(const QKeyEvent& event, bool inList);

private:
    struct Key {
        QKeyCombination key;
        bool inLists;  // a list has no use of its own for it
        std::function<void()> act;
    };

    bool playing() const;

    MainWindow& form_;
    std::vector<Key> keys_;
};
