#include "app/RemoteControl.h"

#include <QFileInfo>
#include <algorithm>

#include "mainwindow/MainWindow.h"
#include "mainwindow/PositionBar.h"
#include "mainwindow/VolumeControl.h"
#include "model/Playback.h"
#include "model/PlayerActions.h"
#include "model/SettingsModel.h"
#include "platform/FileNames.h"

namespace {

qint64 toMicroseconds(double seconds) {
    return std::llround(seconds * 1e6);
}

MprisPlayer::Status statusOf(int playState) {
    switch (playState) {
        case MediaPlayer::kPlaying:
            return MprisPlayer::Status::Playing;
        case MediaPlayer::kPaused:
            return MprisPlayer::Status::Paused;
        default:
            return MprisPlayer::Status::Stopped;
    }
}

}  // namespace

RemoteControl::RemoteControl(MainWindow& form, PlaybackModel& model, PlayerActions& actions,
                             Playback& playback, const SettingsModel& settings)
    : MprisPlayer(&form),
      form_(form),
      model_(model),
      actions_(actions),
      playback_(playback),
      settings_(settings) {
    settleTimer_.setSingleShot(true);
    settleTimer_.setInterval(0);
    connect(&settleTimer_, &QTimer::timeout, this, &RemoteControl::settle);

    connect(&model_, &PlaybackModel::trackStarted, this,
            [this](int /*entry*/, const QString& title) { trackStarted(title); });
    for (const auto change : {&PlaybackModel::followingChanged, &PlaybackModel::playStateChanged,
                              &PlaybackModel::loadedFileChanged}) {
        connect(&model_, change, &settleTimer_, qOverload<>(&QTimer::start));
    }
    if (MediaPlayer* player = form_.player()) {
        connect(player, &MediaPlayer::loadFinished, &settleTimer_, qOverload<>(&QTimer::start));
    }
    connect(&settings, &SettingsModel::volumeChanged, &settleTimer_, qOverload<>(&QTimer::start));
    connect(&form_.position(), &PositionBar::jumped, this,
            [this](double seconds) { emit jumped(toMicroseconds(seconds)); });
    trackFile_ = loadedFile();
}

QString RemoteControl::loadedFile() const {
    const MediaPlayer* player = form_.player();
    return player != nullptr ? player->fileName() : QString();
}

bool RemoteControl::stepPlaysSomething(PlaybackModel::Direction direction) const {
    return !model_.playlist().path(model_.stepTo(direction).entry).isEmpty();
}

MprisPlayer::State RemoteControl::state() const {
    State now;
    now.shuffle = model_.shuffle();
    // Next and previous are the tray's items, which step through the playlist whatever the
    // player holds.
    now.canGoNext = stepPlaysSomething(PlaybackModel::Direction::Forward);
    now.canGoPrevious = stepPlaysSomething(PlaybackModel::Direction::Back);
    const int span = settings_.volumeSpan();
    if (span > 0) {
        now.volume = std::clamp(static_cast<double>(settings_.volume()) / span, 0.0, 1.0);
    }
    const MediaPlayer* player = form_.player();
    if (player == nullptr) {
        return now;
    }
    now.status = statusOf(model_.playState());
    const QString file = player->fileName();
    now.canPlay = !file.isEmpty() || now.canGoNext;
    if (file.isEmpty()) {
        return now;
    }
    const double length = player->duration();
    now.canPause = true;
    now.canSeek = length > 0;
    const TrackTags tags = player->tags();
    now.track.id = QStringLiteral("/org/brambleplayer/track/%1").arg(trackSerial_);
    // The tag's title, as other players give it; else the title the player shows.
    now.track.title = !tags.title.isEmpty() ? tags.title
                      : file == trackFile_  ? trackTitle_
                                            : shownFileName(QFileInfo(file).fileName());
    now.track.url = fileUrlOf(file);
    now.track.lengthUs = toMicroseconds(length);
    now.track.artists = tags.artists;
    now.track.album = tags.album;
    now.track.albumArtists = tags.albumArtists;
    now.track.trackNumber = tags.trackNumber;
    return now;
}

qint64 RemoteControl::positionUs() const {
    const MediaPlayer* player = form_.player();
    return player != nullptr ? toMicroseconds(player->currentPosition()) : 0;
}

void RemoteControl::settle() {
    // A track is told once, when its length and tags are known: its load ends with
    // loadFinished, which comes back here.
    const MediaPlayer* player = form_.player();
    if (player != nullptr && player->isLoading()) {
        return;
    }
    // A file opened by itself ("Open", Ctrl+M) goes by its name, as the title shows it.
    const QString file = loadedFile();
    if (file != trackFile_) {
        trackFile_ = file;
        trackTitle_ = shownFileName(QFileInfo(file).fileName());
        ++trackSerial_;
    }
    emit stateMayHaveChanged();
}

void RemoteControl::trackStarted(const QString& title) {
    trackFile_ = loadedFile();
    trackTitle_ = title;
    ++trackSerial_;
    settleTimer_.start();
}

void RemoteControl::raise() {
    actions_.showPlayer.trigger();
}

void RemoteControl::quit() {
    // The question is modal: the caller gets its answer first.
    QTimer::singleShot(0, &form_, [this] { actions_.exit.trigger(); });
}

void RemoteControl::openFile(const QString& path, std::function<void(FileRefusal)> answer) {
    const QString absolute = absoluteFilePath(path);
    fileCheck_.check(absolute, [this, absolute, answer = std::move(answer)](FileRefusal refusal) {
        if (refusal == FileRefusal::None) {
            playback_.playFile(absolute);
            settleTimer_.start();
        }
        answer(refusal);
    });
}

void RemoteControl::next() {
    actions_.next.trigger();
}

void RemoteControl::previous() {
    actions_.previous.trigger();
}

void RemoteControl::play() {
    if (!loadedFile().isEmpty()) {
        playback_.resume();
    } else if (stepPlaysSomething(PlaybackModel::Direction::Forward)) {
        playback_.step(PlaybackModel::Direction::Forward, Playback::Clock::Start);
    }
}

void RemoteControl::pause() {
    if (!loadedFile().isEmpty()) {
        playback_.pause();
    }
}

void RemoteControl::playPause() {
    if (actions_.togglePause.isEnabled()) {
        actions_.togglePause.trigger();
    } else if (loadedFile().isEmpty()) {
        play();
    }
}

void RemoteControl::stop() {
    actions_.stop.trigger();  // nothing while the stop glyph is disabled
}

void RemoteControl::setPositionUs(qint64 positionUs) {
    if (MediaPlayer* player = form_.player()) {
        player->setCurrentPosition(static_cast<double>(positionUs) / 1e6);
        emit jumped(positionUs);
    }
}

void RemoteControl::setShuffle(bool on) {
    (on ? actions_.chooseShuffleOrder : actions_.chooseNormalOrder).trigger();
    settleTimer_.start();
}

void RemoteControl::setVolume(double share) {
    form_.volume().nudgeToShare(share);
}
