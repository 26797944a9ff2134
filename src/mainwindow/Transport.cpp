#include "mainwindow/Transport.h"

#include <QFileInfo>

#include "app/Program.h"
#include "mainwindow/Chrome.h"
#include "mainwindow/MainWindow.h"
#include "model/Sequencing.h"
#include "platform/FileNames.h"
#include "playlistwindow/DockedPlaylist.h"
#include "skin/SkinColors.h"

namespace {

using skincolors::kRed;
using skincolors::kWhite;

}  // namespace

Transport::Transport(MainWindow& form) : QObject(&form), form_(form), program_(form.program()) {
    connect(form_.nextButton, &SkinLabel::clicked, this, &Transport::playNext);
    connect(form_.previousButton, &SkinLabel::clicked, this, &Transport::playPrevious);
    connect(form_.playButton, &SkinLabel::clicked, this, &Transport::play);
    connect(form_.pauseButton, &SkinLabel::clicked, this, &Transport::togglePause);
    connect(form_.stopButton, &SkinLabel::clicked, this, &Transport::stop);
    connect(form_.openButton, &SkinLabel::clicked, this, &Transport::openAndPlay);
    connect(form_.normalOrderButton, &SkinLabel::clicked, this, &Transport::chooseNormalOrder);
    connect(form_.shuffleButton, &SkinLabel::clicked, this, &Transport::chooseShuffleOrder);
    connect(form_.openFileItem, &QAction::triggered, this, &Transport::openFileSilently);
    connect(form_.nextItem, &QAction::triggered, this, &Transport::playNextFromMenu);
    connect(form_.previousItem, &QAction::triggered, this, &Transport::playPreviousFromMenu);
    connect(form_.pauseItem, &QAction::triggered, this, &Transport::pauseFromMenu);
    connect(form_.resumeItem, &QAction::triggered, this, &Transport::resumeFromMenu);
    connect(form_.normalOrderItem, &QAction::triggered, this,
            &Transport::chooseNormalOrderFromMenu);
    connect(form_.shuffleItem, &QAction::triggered, this, &Transport::chooseShuffleOrderFromMenu);
    if (form_.player_) {
        connect(form_.player_.get(), &MediaPlayer::endOfStream, this, &Transport::playFollowing);
    }
}

void Transport::stepForward() {
    const PlaylistStore& store = program_.store;
    program_.currentStep = sequencing::nextStep(program_.currentStep, store.count());
    const int entry = sequencing::entryForStep(program_.currentStep, program_.shuffleOn, store);
    const QString title = store.title(entry);

    form_.titleMarquee->setCaption(title);
    if (DockedPlaylist* pl = program_.dockedPlaylistIfLoaded()) {
        pl->setListIndex(entry - 1);
    }
    if (MediaPlayer* player = form_.player_.get()) {
        player->setFileName(store.path(entry));
        player->play();
    }
    emit trayTipChanged(title);
    form_.loadedFile_ = title;
    emit announceTrackChange(form_.titleMarquee->caption());
    queueFollowing();
}

void Transport::playSelectedLine() {
    const DockedPlaylist* pl = program_.dockedPlaylistIfLoaded();
    const int line = pl != nullptr ? pl->listIndex() : -1;
    form_.loadedFile_ = pl != nullptr ? pl->selectedText() : QString();
    if (MediaPlayer* player = form_.player_.get()) {
        player->setFileName(program_.store.path(line + 1));
        if (!form_.loadedFile_.isEmpty()) {
            player->play();
        }
    }
    if (!form_.loadedFile_.isEmpty()) {
        form_.titleMarquee->setCaption(form_.loadedFile_);
        enableTransportButtons();
    } else {
        program_.messages().show(QStringLiteral("Keine Datei zum Abspielen gefunden!"),
                                 QStringLiteral("Fehler"), MessageBoxes::Buttons::Ok,
                                 MessageBoxes::Icon::None);
    }
    updateMarquee();
    program_.currentStep = line + 1;
    const QString title = program_.store.title(program_.currentStep);
    emit trayTipChanged(title);
    emit popupTitleChanged(title);
    queueFollowing();
}

void Transport::queueFollowing() {
    emit followingChanged();
    MediaPlayer* player = form_.player_.get();
    if (player == nullptr) {
        return;
    }
    const PlaylistStore& store = program_.store;
    const int step = sequencing::nextStep(program_.currentStep, store.count());
    player->setNextFileName(store.path(sequencing::entryForStep(step, program_.shuffleOn, store)));
}

void Transport::updateMarquee() {
    form_.chrome().updateMarquee();
}

void Transport::updateButtons() {
    if (!form_.loadedFile_.isEmpty()) {
        enableTransportButtons();
    } else {
        form_.titleMarquee->setCaption(kNoFileLoaded);
    }
}

void Transport::enableTransportButtons() {
    for (SkinLabel* button : {form_.pauseButton, form_.playButton, form_.stopButton,
                              form_.nextButton, form_.previousButton}) {
        button->setEnabled(true);
    }
}

void Transport::playNext() {
    stepForward();
    updateMarquee();
    form_.positionTimer->setEnabled(true);
    updateButtons();
}

void Transport::playNextFromMenu() {
    stepForward();
    updateMarquee();
    updateButtons();
}

void Transport::playPrevious() {
    program_.currentStep -= 2;
    playNext();
}

void Transport::playPreviousFromMenu() {
    program_.currentStep -= 2;
    playNextFromMenu();
}

void Transport::playFollowing() {
    stepForward();
    updateMarquee();
}

void Transport::play() {
    if (form_.player_) {
        form_.player_->play();
    }
}

void Transport::togglePause() {
    form_.pauseItem->setEnabled(false);
    form_.resumeItem->setEnabled(true);
    if (MediaPlayer* player = form_.player_.get()) {
        if (player->playState() == MediaPlayer::kPlaying) {
            player->pause();
        } else {
            player->play();
        }
    }
}

void Transport::pauseFromMenu() {
    if (form_.player_) {
        form_.player_->pause();
    }
    form_.resumeItem->setEnabled(true);
    form_.pauseItem->setEnabled(false);
}

void Transport::resumeFromMenu() {
    if (form_.player_) {
        form_.player_->play();
    }
    form_.pauseItem->setEnabled(true);
    form_.resumeItem->setEnabled(false);
}

void Transport::stop() {
    if (MediaPlayer* player = form_.player_.get()) {
        player->stop();
        player->setCurrentPosition(0);
    }
    form_.pauseItem->setEnabled(false);
    form_.resumeItem->setEnabled(true);
}

void Transport::updateTrayItemsFromFile() {
    const bool loaded = form_.player_ && !form_.player_->fileName().isEmpty();
    form_.pauseItem->setEnabled(loaded);
    form_.resumeItem->setEnabled(false);
}

void Transport::openSingleFile() {
    FileDialog* dialog = form_.fileDialog_.get();
    if (dialog == nullptr) {
        return;
    }
    dialog->initDir = program_.settings().standardFolder();
    dialog->filter = QStringLiteral("MP3 - Dateien (*.mp3)|*.mp3");
    dialog->showOpen();
    if (!dialog->fileName.isEmpty()) {
        loadSingleFile(dialog->fileName, dialog->fileTitle());
    }
    updateMarquee();
}

void Transport::loadSingleFile(const QString& path, const QString& title) {
    form_.loadedFile_ = path;
    form_.titleMarquee->setCaption(title);
    if (form_.player_) {
        form_.player_->setFileName(path);
    }
    if (!form_.loadedFile_.isEmpty()) {
        form_.pauseButton->setEnabled(true);
        form_.playButton->setEnabled(true);
        form_.stopButton->setEnabled(true);
        form_.nextButton->setEnabled(false);
        form_.previousButton->setEnabled(false);
    }
    queueFollowing();
}

void Transport::openAndPlay() {
    openSingleFile();
    // Also after a cancelled dialog: whatever the player holds starts or resumes.
    play();
    emit singleFileChosen();
}

void Transport::playSingleFile(const QString& path) {
    loadSingleFile(path, shownFileName(QFileInfo(path).fileName()));
    updateMarquee();
    play();
}

void Transport::openFileSilently() {
    openSingleFile();
    emit singleFileChosen();
}

bool Transport::canPause() const {
    return form_.pauseButton->isEnabledTo(&form_);
}

bool Transport::canStop() const {
    return form_.stopButton->isEnabledTo(&form_);
}

void Transport::setNormalOrder() {
    form_.normalOrderButton->setBackColor(kRed);
    form_.normalOrderItem->setChecked(true);
    form_.shuffleItem->setChecked(false);
    program_.shuffleOn = false;
}

void Transport::setShuffleOrder() {
    form_.shuffleButton->setBackColor(kRed);
    form_.shuffleItem->setChecked(true);
    form_.normalOrderItem->setChecked(false);
    program_.shuffleOn = true;
}

void Transport::chooseNormalOrder() {
    if (form_.normalOrderButton->backColor() == kWhite) {
        setNormalOrder();
    }
    form_.shuffleButton->setBackColor(kWhite);
    queueFollowing();
    emit orderChosen();
}

void Transport::chooseShuffleOrder() {
    if (form_.shuffleButton->backColor() == kWhite) {
        setShuffleOrder();
    }
    form_.normalOrderButton->setBackColor(kWhite);
    queueFollowing();
    emit orderChosen();
}

void Transport::chooseNormalOrderFromMenu() {
    // A checkable item toggles itself on a click; its mark follows the order, not the click.
    form_.normalOrderItem->setChecked(!form_.normalOrderItem->isChecked());
    if (form_.normalOrderButton->backColor() == kWhite) {
        setNormalOrder();
    } else {
        form_.normalOrderButton->setBackColor(kWhite);
    }
    form_.shuffleButton->setBackColor(kWhite);
    queueFollowing();
    emit orderChosen();
}

void Transport::chooseShuffleOrderFromMenu() {
    form_.shuffleItem->setChecked(!form_.shuffleItem->isChecked());
    if (form_.shuffleButton->backColor() == kWhite) {
        setShuffleOrder();
    } else {
        form_.shuffleButton->setBackColor(kWhite);
        program_.shuffleOn = false;
    }
    form_.normalOrderButton->setBackColor(kWhite);
    queueFollowing();
    emit orderChosen();
}
