#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "model/PlaylistStore.h"

// The title the main window shows while no file is loaded.
inline const QString kNoFileLoaded = QStringLiteral("Keine Datei geladen");

// What plays and what plays next: the stored playlist, the position in the order of play, the
// order, the loaded file with the title shown for it, and the player's state. Windows, the tray
// and the desktop's media controls follow its signals; Playback drives the player from it.
class PlaybackModel : public QObject {
    Q_OBJECT
public:
    enum class Order { Normal, Shuffle };
    enum class Direction { Forward, Back };
    // How a track was started: a step in the order, or a line chosen in the playlist window.
    enum class Start { Step, Line };

    // A position in the order of play (the entry number itself in normal order, a slot of the
    // playlist's shuffled order in shuffle order) and the entry it plays.
    struct Step {
        int position = 0;
        int entry = 0;
    };

    using QObject::QObject;

    const PlaylistStore& playlist() const { return playlist_; }
    void fillPlaylist(std::vector<PlaylistStore::Entry> entries, std::vector<int> order);
    void removeEntry(int slot);
    // Blanks the entries while a new scan is pending. Nothing is told: the scan fills them soon,
    // and until then the file queued to follow stays as it was.
    void blankPlaylist() { playlist_.blankEntries(); }

    int step() const { return step_; }
    // The one rule for the entry a step plays. A step goes one forward in the current order,
    // wrapping around at both ends; back is a step forward from two steps back, so before
    // anything played it lands on the second-to-last entry. Outside the playlist it names no
    // entry (0), whose title and path are empty.
    Step stepTo(Direction direction) const;

    // The order chosen last (the tray's check mark), and whether it is in force (its button is
    // marked): choosing the order in force again from the tray leaves neither in force, and the
    // playlist then plays in list order.
    Order order() const { return order_; }
    bool orderInForce() const { return orderInForce_; }
    bool shuffle() const { return orderInForce_ && order_ == Order::Shuffle; }
    void setOrder(Order order, bool inForce);

    // The file loaded by "Open" (its path) or the playlist (its title); "" when none.
    const QString& loadedFile() const { return loadedFile_; }
    void setLoadedFile(const QString& file);
    // The title the main window shows; titleChanged() also when the same one is set again, so
    // that its scrolling starts over.
    const QString& title() const { return title_; }
    void setTitle(const QString& title);
    // MediaPlayer::playState() of the main player, as its signals tell it.
    int playState() const { return playState_; }
    void setPlayState(int state);
    // The main window's clock follows the position once a track was started from the transport
    // glyphs or the playlist window; the tray's items and the end of a file leave it as it is.
    void runClock();

    // A track was started at `at`, with the playlist's title of its entry: the position moves
    // there, and trackStarted() tells it.
    void startTrack(Step at, const QString& title, Start how);

signals:
    // The playlist, the position or the order changed: the entry of the next step may be another.
    void followingChanged();
    // A scan is over, done or abandoned: the playlist window adds the titles of the store as
    // they stand to what it shows.
    void playlistPublished();
    void orderChanged();
    void loadedFileChanged();
    void titleChanged(const QString& title);
    void playStateChanged();
    void clockStarted();
    void trackStarted(int entry, const QString& title, PlaybackModel::Start how);

private:
    PlaylistStore playlist_;
    int step_ = 0;
    Order order_ = Order::Normal;
    bool orderInForce_ = true;
    QString loadedFile_;
    QString title_ = kNoFileLoaded;
    int playState_ = 0;
    bool clockRunning_ = false;
};
