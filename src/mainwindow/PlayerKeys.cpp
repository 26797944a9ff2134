#include "mainwindow/PlayerKeys.h"

#include <QKeyEvent>
#include <QShortcut>

#include "mainwindow/MainWindow.h"
#include "mainwindow/PositionBar.h"
#include "model/PlaybackModel.h"
#include "model/PlayerActions.h"

PlayerKeys::PlayerKeys(MainWindow& form) : QObject(&form), form_(form) {
    PlayerActions& a = form.actions_;
    const auto trigger = [](QAction& action) { return [&action] { action.trigger(); }; };
    const auto seek = [this](double seconds) {
        return [this, seconds] { form_.position().seekBy(seconds); };
    };
    const auto playOrPause = [this, &a] { (playing() ? a.togglePause : a.play).trigger(); };
    // The speaker that shows is the one whose click matches the player's state.
    const auto toggleMute = [this, &a] {
        (form_.muteButton->isVisibleTo(&form_) ? a.mute : a.unmute).trigger();
    };
    using K = QKeyCombination;
    keys_ = {
        {K(Qt::Key_Space), false, playOrPause},
        {K(Qt::Key_Left), true, seek(-PositionBar::kKeyStepSeconds)},
        {K(Qt::Key_Right), true, seek(PositionBar::kKeyStepSeconds)},
        {K(Qt::Key_Up), false, trigger(a.volumeUp5)},
        {K(Qt::Key_Down), false, trigger(a.volumeDown5)},
        {K(Qt::CTRL, Qt::Key_Left), true, trigger(a.previousWithClock)},
        {K(Qt::CTRL, Qt::Key_Right), true, trigger(a.nextWithClock)},
        {K(Qt::Key_M), false, toggleMute},
        {K(Qt::Key_MediaTogglePlayPause), true, playOrPause},
        {K(Qt::Key_MediaPlay), true, playOrPause},  // many keyboards have no other
        {K(Qt::Key_MediaPause), true,
         [this, &a] {
             if (playing()) {
                 a.togglePause.trigger();
             }
         }},
        {K(Qt::Key_MediaStop), true, trigger(a.stop)},
        {K(Qt::Key_MediaNext), true, trigger(a.nextWithClock)},
        {K(Qt::Key_MediaPrevious), true, trigger(a.previousWithClock)},
        {K(Qt::Key_VolumeMute), true, toggleMute},
        {K(Qt::Key_VolumeUp), true, trigger(a.volumeUp5)},
        {K(Qt::Key_VolumeDown), true, trigger(a.volumeDown5)},
        {K(Qt::Key_F2), true, trigger(a.search)},
    };
    // Shortcuts act before the focused control sees the key.
    for (const auto& [key, action] : {std::pair{K(Qt::CTRL, Qt::Key_M), &a.loadFile},
                                      {K(Qt::Key_F1), &a.help},
                                      {K(Qt::Key_F3), &a.options}}) {
        connect(new QShortcut(QKeySequence(key), &form), &QShortcut::activated, action,
                &QAction::trigger);
    }
}

bool PlayerKeys::handle(const QKeyEvent& event, bool inList) {
    // The arrows of the number pad count as the arrows.
    const QKeyCombination pressed(event.modifiers() & ~Qt::KeypadModifier, Qt::Key(event.key()));
    for (const Key& key : keys_) {
        if (key.key == pressed && (key.inLists || !inList)) {
            key.act();
            return true;
        }
    }
    return false;
}

bool PlayerKeys::playing() const {
    return form_.model_.playState() == MediaPlayer::kPlaying;
}
