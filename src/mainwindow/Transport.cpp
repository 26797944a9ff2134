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

Transport::Transport(Form1& form) : QObject(&form), form_(form), program_(form.program()) {
    connect(form_.btnnext, &SkinLabel::clicked, this, &Transport::btnnext_Click);
    connect(form_.btnprev, &SkinLabel::clicked, this, &Transport::btnprev_Click);
    connect(form_.btnplay, &SkinLabel::clicked, this, &Transport::btnplay_Click);
    connect(form_.btnpause, &SkinLabel::clicked, this, &Transport::btnpause_Click);
    connect(form_.btnstop, &SkinLabel::clicked, this, &Transport::btnstop_Click);
    connect(form_.Label11, &SkinLabel::clicked, this, &Transport::Label11_Click);
    connect(form_.Label12, &SkinLabel::clicked, this, &Transport::Label12_Click);
    connect(form_.Label4, &SkinLabel::clicked, this, &Transport::Label4_Click);
    connect(form_.load_mp3, &QAction::triggered, this, &Transport::load_mp3_Click);
    connect(form_.mnunext, &QAction::triggered, this, &Transport::mnunext_Click);
    connect(form_.mnulast, &QAction::triggered, this, &Transport::mnulast_Click);
    connect(form_.mnupause, &QAction::triggered, this, &Transport::mnupause_Click);
    connect(form_.mnuplayagain, &QAction::triggered, this, &Transport::mnuplayagain_Click);
    connect(form_.playnormal, &QAction::triggered, this, &Transport::playnormal_Click);
    connect(form_.playshuffle, &QAction::triggered, this, &Transport::playshuffle_Click);
    if (form_.MediaPlayer1) {
        connect(form_.MediaPlayer1.get(), &MediaPlayer::endOfStream, this,
                &Transport::MediaPlayer1_EndOfStream);
    }
}

void Transport::nexttrack() {
    const PlaylistStore& store = program_.store;
    program_.mp3pos = sequencing::nextStep(program_.mp3pos, store.count());
    const int entry = sequencing::entryForStep(program_.mp3pos, program_.shufflemode, store);
    const QString title = store.title(entry);

    form_.lbltracktitle->setCaption(title);
    if (PlaylistPane* pl = program_.playlistPaneIfLoaded()) {
        pl->setListIndex(entry - 1);
    }
    if (MediaPlayer* player = form_.MediaPlayer1.get()) {
        player->setFileName(store.path(entry));
        player->play();
    }
    emit trayTipChanged(title);
    form_.file = title;
    emit quickInfoAtTrackChange(form_.lbltracktitle->caption());
    queueFollowing();
}

void Transport::playselected() {
    const PlaylistPane* pl = program_.playlistPaneIfLoaded();
    const int line = pl != nullptr ? pl->listIndex() : -1;
    form_.file = pl != nullptr ? pl->selectedText() : QString();
    if (MediaPlayer* player = form_.MediaPlayer1.get()) {
        player->setFileName(program_.store.path(line + 1));
        if (!form_.file.isEmpty()) {
            player->play();
        }
    }
    if (!form_.file.isEmpty()) {
        form_.lbltracktitle->setCaption(form_.file);
        enableTransportButtons();
    } else {
        program_.messages().show(QStringLiteral("Keine Datei zum Abspielen gefunden!"),
                                 QStringLiteral("Fehler"), MessageBoxes::Buttons::Ok,
                                 MessageBoxes::Icon::None);
    }
    titleCheck();
    program_.mp3pos = line + 1;
    const QString title = program_.store.title(program_.mp3pos);
    emit trayTipChanged(title);
    emit quickInfoTextChanged(title);
    queueFollowing();
}

void Transport::queueFollowing() {
    emit followingChanged();
    MediaPlayer* player = form_.MediaPlayer1.get();
    if (player == nullptr) {
        return;
    }
    const PlaylistStore& store = program_.store;
    const int step = sequencing::nextStep(program_.mp3pos, store.count());
    player->setNextFileName(
        store.path(sequencing::entryForStep(step, program_.shufflemode, store)));
}

void Transport::titleCheck() {
    form_.chrome().titleCheck();
}

void Transport::buttonCheck() {
    if (!form_.file.isEmpty()) {
        enableTransportButtons();
    } else {
        form_.lbltracktitle->setCaption(kNoFileLoaded);
    }
}

void Transport::enableTransportButtons() {
    for (SkinLabel* button :
         {form_.btnpause, form_.btnplay, form_.btnstop, form_.btnnext, form_.btnprev}) {
        button->setEnabled(true);
    }
}

void Transport::btnnext_Click() {
    nexttrack();
    titleCheck();
    form_.tmrPT->setEnabled(true);
    buttonCheck();
}

void Transport::mnunext_Click() {
    nexttrack();
    titleCheck();
    buttonCheck();
}

void Transport::btnprev_Click() {
    program_.mp3pos -= 2;
    btnnext_Click();
}

void Transport::mnulast_Click() {
    program_.mp3pos -= 2;
    mnunext_Click();
}

void Transport::MediaPlayer1_EndOfStream() {
    nexttrack();
    titleCheck();
}

void Transport::btnplay_Click() {
    if (form_.MediaPlayer1) {
        form_.MediaPlayer1->play();
    }
}

void Transport::btnpause_Click() {
    form_.mnupause->setEnabled(false);
    form_.mnuplayagain->setEnabled(true);
    if (MediaPlayer* player = form_.MediaPlayer1.get()) {
        if (player->playState() == MediaPlayer::kPlaying) {
            player->pause();
        } else {
            player->play();
        }
    }
}

void Transport::mnupause_Click() {
    if (form_.MediaPlayer1) {
        form_.MediaPlayer1->pause();
    }
    form_.mnuplayagain->setEnabled(true);
    form_.mnupause->setEnabled(false);
}

void Transport::mnuplayagain_Click() {
    if (form_.MediaPlayer1) {
        form_.MediaPlayer1->play();
    }
    form_.mnupause->setEnabled(true);
    form_.mnuplayagain->setEnabled(false);
}

void Transport::btnstop_Click() {
    if (MediaPlayer* player = form_.MediaPlayer1.get()) {
        player->stop();
        player->setCurrentPosition(0);
    }
    form_.mnupause->setEnabled(false);
    form_.mnuplayagain->setEnabled(true);
}

void Transport::updateTrayItemsFromFile() {
    const bool loaded = form_.MediaPlayer1 && !form_.MediaPlayer1->fileName().isEmpty();
    form_.mnupause->setEnabled(loaded);
    form_.mnuplayagain->setEnabled(false);
}

void Transport::openSingleFile() {
    FileDialog* dialog = form_.CommonDialog1.get();
    if (dialog == nullptr) {
        return;
    }
    dialog->initDir = form_.pathopt;
    dialog->filter = QStringLiteral("MP3 - Dateien (*.mp3)|*.mp3");
    dialog->showOpen();
    if (!dialog->fileName.isEmpty()) {
        loadSingleFile(dialog->fileName, dialog->fileTitle());
    }
    titleCheck();
}

void Transport::loadSingleFile(const QString& path, const QString& title) {
    form_.file = path;
    form_.lbltracktitle->setCaption(title);
    if (form_.MediaPlayer1) {
        form_.MediaPlayer1->setFileName(path);
    }
    if (!form_.file.isEmpty()) {
        form_.btnpause->setEnabled(true);
        form_.btnplay->setEnabled(true);
        form_.btnstop->setEnabled(true);
        form_.btnnext->setEnabled(false);
        form_.btnprev->setEnabled(false);
    }
    queueFollowing();
}

void Transport::Label11_Click() {
    openSingleFile();
    // Also after a cancelled dialog: whatever the player holds starts or resumes.
    btnplay_Click();
    emit singleFileChosen();
}

void Transport::playSingleFile(const QString& path) {
    loadSingleFile(path, shownFileName(QFileInfo(path).fileName()));
    titleCheck();
    btnplay_Click();
}

void Transport::load_mp3_Click() {
    openSingleFile();
    emit singleFileChosen();
}

bool Transport::canPause() const {
    return form_.btnpause->isEnabledTo(&form_);
}

bool Transport::canStop() const {
    return form_.btnstop->isEnabledTo(&form_);
}

void Transport::setNormalOrder() {
    form_.Label12->setBackColor(kRed);
    form_.playnormal->setChecked(true);
    form_.playshuffle->setChecked(false);
    program_.shufflemode = false;
}

void Transport::setShuffleOrder() {
    form_.Label4->setBackColor(kRed);
    form_.playshuffle->setChecked(true);
    form_.playnormal->setChecked(false);
    program_.shufflemode = true;
}

void Transport::Label12_Click() {
    if (form_.Label12->backColor() == kWhite) {
        setNormalOrder();
    }
    form_.Label4->setBackColor(kWhite);
    queueFollowing();
    emit orderChosen();
}

void Transport::Label4_Click() {
    if (form_.Label4->backColor() == kWhite) {
        setShuffleOrder();
    }
    form_.Label12->setBackColor(kWhite);
    queueFollowing();
    emit orderChosen();
}

void Transport::playnormal_Click() {
    // A checkable item toggles itself on a click; its mark follows the order, not the click.
    form_.playnormal->setChecked(!form_.playnormal->isChecked());
    if (form_.Label12->backColor() == kWhite) {
        setNormalOrder();
    } else {
        form_.Label12->setBackColor(kWhite);
    }
    form_.Label4->setBackColor(kWhite);
    queueFollowing();
    emit orderChosen();
}

void Transport::playshuffle_Click() {
    form_.playshuffle->setChecked(!form_.playshuffle->isChecked());
    if (form_.Label4->backColor() == kWhite) {
        setShuffleOrder();
    } else {
        form_.Label4->setBackColor(kWhite);
        program_.shufflemode = false;
    }
    form_.Label12->setBackColor(kWhite);
    queueFollowing();
    emit orderChosen();
}
