#include "app/RemoteControl.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "app/ExitCommands.h"
#include "app/Program.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PositionBar.h"
#include "mainwindow/Transport.h"
#include "mainwindow/VolumeControl.h"
#include "model/Sequencing.h"
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

// Whether one step forward from `currentStep` starts an entry that has a file.
bool stepPlaysSomething(const Program& program, int currentStep) {
    const PlaylistStore& store = program.store;
    const int step = sequencing::nextStep(currentStep, store.count());
    return !store.path(sequencing::entryForStep(step, program.shuffleOn, store)).isEmpty();
}

}  // namespace

RemoteControl::RemoteControl(Program& program)
    : MprisPlayer(&program.mainWindow()), program_(program), form_(program.mainWindow()) {
    settleTimer_.setSingleShot(true);
    settleTimer_.setInterval(0);
    connect(&settleTimer_, &QTimer::timeout, this, &RemoteControl::settle);

    connect(&form_.transport(), &Transport::trayTipChanged, this, &RemoteControl::trackStarted);
    connect(&form_.transport(), &Transport::followingChanged, this, &RemoteControl::settleSoon);
    if (MediaPlayer* player = form_.player()) {
        connect(player, &MediaPlayer::playStateChanged, this, &RemoteControl::settleSoon);
        connect(player, &MediaPlayer::loadFinished, this, &RemoteControl::settleSoon);
    }
    connect(&form_.transport(), &Transport::orderChosen, this, &RemoteControl::settleSoon);
    connect(&form_.transport(), &Transport::singleFileChosen, this, &RemoteControl::settleSoon);
    connect(&program.settings(), &SettingsModel::volumeChanged, this, &RemoteControl::settleSoon);
    connect(&form_.position(), &PositionBar::jumped, this,
            [this](double seconds) { emit jumped(toMicroseconds(seconds)); });
    trackFile_ = loadedFile();
}

QString RemoteControl::loadedFile() const {
    const MediaPlayer* player = form_.player();
    return player != nullptr ? player->fileName() : QString();
}

bool RemoteControl::nextStepPlaysSomething() const {
    return stepPlaysSomething(program_, program_.currentStep);
}

MprisPlayer::State RemoteControl::state() const {
    State now;
    now.shuffle = program_.shuffleOn;
    // Next and previous are the tray's items, which step through the playlist whatever the
    // player holds; previous is a forward step from two steps back.
    now.canGoNext = nextStepPlaysSomething();
    now.canGoPrevious = stepPlaysSomething(program_, program_.currentStep - 2);
    const int span = program_.settings().volumeSpan();
    if (span > 0) {
        now.volume = std::clamp(static_cast<double>(program_.settings().volume()) / span, 0.0, 1.0);
    }
    const MediaPlayer* player = form_.player();
    if (player == nullptr) {
        return now;
    }
    now.status = statusOf(player->playState());
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

void RemoteControl::settleSoon() {
    settleTimer_.start();
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
    settleSoon();
}

void RemoteControl::raise() {
    form_.menuItem(QStringLiteral("showPlayerItem"))->trigger();
}

void RemoteControl::quit() {
    // The question is modal: the caller gets its answer first.
    QTimer::singleShot(0, &form_, [this] { exitCommand(program_); });
}

void RemoteControl::openFile(const QString& path, std::function<void(FileRefusal)> answer) {
    const QString absolute = absoluteFilePath(path);
    fileCheck_.check(absolute, [this, absolute, answer = std::move(answer)](FileRefusal refusal) {
        if (refusal == FileRefusal::None) {
            form_.transport().playSingleFile(absolute);
            settleSoon();
        }
        answer(refusal);
    });
}

void RemoteControl::next() {
    form_.menuItem(QStringLiteral("nextItem"))->trigger();
}

void RemoteControl::previous() {
    form_.menuItem(QStringLiteral("previousItem"))->trigger();
}

void RemoteControl::play() {
    if (!loadedFile().isEmpty()) {
        form_.transport().resumeFromMenu();
    } else if (nextStepPlaysSomething()) {
        form_.transport().playNext();
    }
}

void RemoteControl::pause() {
    if (!loadedFile().isEmpty()) {
        form_.transport().pauseFromMenu();
    }
}

void RemoteControl::playPause() {
    if (form_.transport().canPause()) {
        form_.transport().togglePause();
    } else if (loadedFile().isEmpty()) {
        play();
    }
}

void RemoteControl::stop() {
    if (form_.transport().canStop()) {
        form_.transport().stop();
    }
}

void RemoteControl::setPositionUs(qint64 positionUs) {
    if (MediaPlayer* player = form_.player()) {
        player->setCurrentPosition(static_cast<double>(positionUs) / 1e6);
        emit jumped(positionUs);
    }
}

void RemoteControl::setShuffle(bool on) {
    if (on) {
        form_.transport().chooseShuffleOrder();
    } else {
        form_.transport().chooseNormalOrder();
    }
    settleSoon();
}

void RemoteControl::setVolume(double share) {
    form_.volume().nudgeToShare(share);
}
