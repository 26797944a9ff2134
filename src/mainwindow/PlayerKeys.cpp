#include "mainwindow/PlayerKeys.h"

#include <QKeyEvent>
#include <array>

#include "mainwindow/MainWindow.h"
#include "mainwindow/PositionBar.h"
#include "mainwindow/VolumeControl.h"

namespace {

struct KeyAction {
    QKeyCombination key;
    bool inLists;  // a list has no use of its own for it
    void (PlayerKeys::*act)();
};

}  // namespace

PlayerKeys::PlayerKeys(MainWindow& form) : QObject(&form), form_(form) {}

bool PlayerKeys::handle(const QKeyEvent& event, bool inList) {
    using K = QKeyCombination;
    using P = PlayerKeys;
    static const std::array<KeyAction, 18> kActions{{
        {K(Qt::Key_Space), false, &P::playOrPause},
        {K(Qt::Key_Left), true, &P::seekBack},
        {K(Qt::Key_Right), true, &P::seekForward},
        {K(Qt::Key_Up), false, &P::volumeUp},
        {K(Qt::Key_Down), false, &P::volumeDown},
        {K(Qt::CTRL, Qt::Key_Left), true, &P::previous},
        {K(Qt::CTRL, Qt::Key_Right), true, &P::next},
        {K(Qt::Key_M), false, &P::toggleMute},
        {K(Qt::Key_MediaTogglePlayPause), true, &P::playOrPause},
        {K(Qt::Key_MediaPlay), true, &P::playOrPause},  // many keyboards have no other
        {K(Qt::Key_MediaPause), true, &P::pauseIfPlaying},
        {K(Qt::Key_MediaStop), true, &P::stop},
        {K(Qt::Key_MediaNext), true, &P::next},
        {K(Qt::Key_MediaPrevious), true, &P::previous},
        {K(Qt::Key_VolumeMute), true, &P::toggleMute},
        {K(Qt::Key_VolumeUp), true, &P::volumeUp},
        {K(Qt::Key_VolumeDown), true, &P::volumeDown},
        {K(Qt::Key_F2), true, &P::search},
    }};
    // The arrows of the number pad count as the arrows.
    const K pressed(event.modifiers() & ~Qt::KeypadModifier, Qt::Key(event.key()));
    for (const KeyAction& action : kActions) {
        if (action.key == pressed && (action.inLists || !inList)) {
            (this->*action.act)();
            return true;
        }
    }
    return false;
}

bool PlayerKeys::playing() const {
    const MediaPlayer* player = form_.player_.get();
    return player != nullptr && player->playState() == MediaPlayer::kPlaying;
}

// A glyph's click() does nothing while the glyph is disabled.
void PlayerKeys::playOrPause() {
    (playing() ? form_.pauseButton : form_.playButton)->click();
}

void PlayerKeys::pauseIfPlaying() {
    if (playing()) {
        form_.pauseButton->click();
    }
}

void PlayerKeys::stop() {
    form_.stopButton->click();
}

void PlayerKeys::previous() {
    form_.previousButton->click();
}

void PlayerKeys::next() {
    form_.nextButton->click();
}

void PlayerKeys::seekBack() {
    form_.position().seekBy(-PositionBar::kKeyStepSeconds);
}

void PlayerKeys::seekForward() {
    form_.position().seekBy(PositionBar::kKeyStepSeconds);
}

void PlayerKeys::volumeUp() {
    form_.volume().volumeUp5();
}

void PlayerKeys::volumeDown() {
    form_.volume().volumeDown5();
}

void PlayerKeys::search() {
    form_.searchButton->click();
}

void PlayerKeys::toggleMute() {
    // The speaker that shows is the one whose click matches the player's state.
    (form_.muteButton->isVisibleTo(&form_) ? form_.muteButton : form_.unmuteButton)->click();
}
