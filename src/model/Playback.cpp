#include "model/Playback.h"

#include <QFileInfo>

#include "model/PlayerActions.h"
#include "platform/FileDialog.h"
#include "platform/FileNames.h"
#include "platform/MessageBoxes.h"

Playback::Playback(PlaybackModel& model, PlayerActions& actions, MessageBoxes& messages,
                   MediaPlayer* player, FileDialog* dialog, std::function<QString()> openFolder)
    : model_(model),
      actions_(actions),
      messages_(messages),
      player_(player),
      dialog_(dialog),
      openFolder_(std::move(openFolder)) {
    const auto on = [this](QAction& action, auto handler) {
        connect(&action, &QAction::triggered, this, handler);
    };
    on(actions.play, &Playback::play);
    on(actions.togglePause, &Playback::togglePause);
    on(actions.stop, &Playback::stop);
    on(actions.nextWithClock, [this] { step(Direction::Forward, Clock::Start); });
    on(actions.previousWithClock, [this] { step(Direction::Back, Clock::Start); });
    on(actions.next, [this] { step(Direction::Forward, Clock::Leave); });
    on(actions.previous, [this] { step(Direction::Back, Clock::Leave); });
    on(actions.pause, &Playback::pause);
    on(actions.resume, &Playback::resume);
    // Also after a cancelled dialog: whatever the player holds starts or resumes.
    on(actions.open, [this] {
        chooseFile();
        play();
    });
    on(actions.loadFile, &Playback::chooseFile);
    on(actions.chooseNormalOrder, [this] { model_.setOrder(Order::Normal, true); });
    on(actions.chooseShuffleOrder, [this] { model_.setOrder(Order::Shuffle, true); });
    on(actions.normalOrder, [this] { switchOrder(Order::Normal); });
    on(actions.shuffleOrder, [this] { switchOrder(Order::Shuffle); });
    connect(&model, &PlaybackModel::orderChanged, this, &Playback::showOrderInTray);
    connect(&model, &PlaybackModel::followingChanged, this, &Playback::queueFollowing);
    if (player_) {
        connect(player_, &MediaPlayer::endOfStream, this, [this] { advance(Direction::Forward); });
        connect(player_, &MediaPlayer::playStateChanged, this,
                [this] { model_.setPlayState(player_->playState()); });
    }
}

void Playback::advance(Direction direction) {
    const PlaybackModel::Step to = model_.stepTo(direction);
    const QString title = model_.playlist().title(to.entry);
    model_.setTitle(title);
    if (player_) {
        player_->setFileName(model_.playlist().path(to.entry));
        player_->play();
    }
    model_.setLoadedFile(title);
    model_.startTrack(to, title, PlaybackModel::Start::Step);
}

void Playback::step(Direction direction, Clock clock) {
    advance(direction);
    if (clock == Clock::Start) {
        model_.runClock();
    }
    showLoaded();
}

void Playback::showLoaded() {
    if (!model_.loadedFile().isEmpty()) {
        enableTransport();
    } else {
        model_.setTitle(kNoFileLoaded);
    }
}

void Playback::enableTransport() {
    for (QAction* action : {&actions_.togglePause, &actions_.play, &actions_.stop,
                            &actions_.nextWithClock, &actions_.previousWithClock}) {
        action->setEnabled(true);
    }
}

void Playback::playLine(int line, const QString& text) {
    model_.setLoadedFile(text);
    if (player_) {
        player_->setFileName(model_.playlist().path(line + 1));
        if (!text.isEmpty()) {
            player_->play();
        }
    }
    if (!text.isEmpty()) {
        model_.setTitle(text);
        enableTransport();
    } else {
        messages_.show(QStringLiteral("Keine Datei zum Abspielen gefunden!"),
                       QStringLiteral("Fehler"), MessageBoxes::Buttons::Ok,
                       MessageBoxes::Icon::None);
    }
    // The tray's title and the step are the line's place in the playlist, whatever it shows.
    const PlaybackModel::Step at{line + 1, line + 1};
    model_.startTrack(at, model_.playlist().title(at.entry), PlaybackModel::Start::Line);
    const bool loaded = player_ && !player_->fileName().isEmpty();
    actions_.pause.setEnabled(loaded);
    actions_.resume.setEnabled(false);
}

void Playback::play() {
    if (player_) {
        player_->play();
    }
}

void Playback::togglePause() {
    actions_.pause.setEnabled(false);
    actions_.resume.setEnabled(true);
    if (player_) {
        if (model_.playState() == MediaPlayer::kPlaying) {
            player_->pause();
        } else {
            player_->play();
        }
    }
}

void Playback::pause() {
    if (player_) {
        player_->pause();
    }
    actions_.resume.setEnabled(true);
    actions_.pause.setEnabled(false);
}

void Playback::resume() {
    if (player_) {
        player_->play();
    }
    actions_.pause.setEnabled(true);
    actions_.resume.setEnabled(false);
}

void Playback::stop() {
    if (player_) {
        player_->stop();
        player_->setCurrentPosition(0);
    }
    actions_.pause.setEnabled(false);
    actions_.resume.setEnabled(true);
}

void Playback::chooseFile() {
    if (dialog_ == nullptr) {
        return;
    }
    dialog_->initDir = openFolder_();
    dialog_->filter = QStringLiteral("MP3 - Dateien (*.mp3)|*.mp3");
    dialog_->showOpen();
    if (!dialog_->fileName.isEmpty()) {
        loadFile(dialog_->fileName, dialog_->fileTitle());
    }
}

void Playback::loadFile(const QString& path, const QString& title) {
    model_.setLoadedFile(path);
    model_.setTitle(title);
    if (player_) {
        player_->setFileName(path);
    }
    if (!path.isEmpty()) {
        for (QAction* action : {&actions_.togglePause, &actions_.play, &actions_.stop}) {
            action->setEnabled(true);
        }
        actions_.nextWithClock.setEnabled(false);
        actions_.previousWithClock.setEnabled(false);
    }
    queueFollowing();  // a new file drops what the player had queued
}

void Playback::playFile(const QString& path) {
    loadFile(path, shownFileName(QFileInfo(path).fileName()));
    play();
}

void Playback::switchOrder(Order order) {
    const bool chosenAgain = model_.orderInForce() && model_.order() == order;
    model_.setOrder(order, !chosenAgain);
}

void Playback::showOrderInTray() {
    actions_.normalOrder.setChecked(model_.order() == Order::Normal);
    actions_.shuffleOrder.setChecked(model_.order() == Order::Shuffle);
}

void Playback::queueFollowing() {
    if (player_) {
        const int entry = model_.stepTo(Direction::Forward).entry;
        player_->setNextFileName(model_.playlist().path(entry));
    }
}
