#include "folderbrowser/FolderBrowser.h"

#include <QCloseEvent>
#include <QDir>

#include "folderbrowser/Drives.h"
#include "platform/FolderSource.h"
#include "platform/MessageBoxes.h"
#include "skin/SkinColors.h"
#include "util/DialogKeys.h"
#include "util/OnScreen.h"
#include "util/Twips.h"

namespace {

using skincolors::kBlack;
using skincolors::kBlue;

// Client area in twips.
constexpr double kBrowserWidth = 7680;
constexpr double kBrowserHeight = 6180;

}  // namespace

FolderBrowser::FolderBrowser(const Desktop& desktop, MessageBoxes& messages,
                             std::shared_ptr<const FolderSource> source,
                             std::unique_ptr<FileDialog> dialog,
                             std::unique_ptr<MediaPlayer> preview, Folders folders)
    // No close box: the user leaves through "Verz. einfügen" or "Abbrechen".
    // A dialog, so that it stays above the main window on a desktop.
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      fileDialog(std::move(dialog)),
      previewPlayer(std::move(preview)),
      desktop_(desktop),
      messages_(messages),
      source_(std::move(source)),
      folders_(std::move(folders)) {
    setObjectName(QStringLiteral("FolderBrowser"));
    setWindowTitle(QStringLiteral("MP3 Verzeichnis einfügen"));
    buildControls();
    navigation_ = new FolderNavigation(source_, messages, *this, *driveBox, *folderTree, true);
    wireControls();
}

void FolderBrowser::buildControls() {
    const Desktop& d = desktop_;
    centreOnScreenTwips(*this, kBrowserWidth, kBrowserHeight, d);
    const auto placeTwips = [&d](QWidget& control, double left, double top, double width,
                                 double height) {
        twips::setGeometry(control, left, top, width, height, d);
    };

    driveBox = new DriveList(this);
    placeTwips(*driveBox, 120, 120, 3600, 315);
    folderTree = new FolderTree(this);
    placeTwips(*folderTree, 120, 495, 3600, 2535);
    fileList = new QListView(this);
    fileNames = new QStringListModel(this);
    fileList->setModel(fileNames);
    fileList->setUniformItemSizes(true);
    fileList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fileList->setSelectionMode(QAbstractItemView::SingleSelection);
    fileList->setAccessibleName(QStringLiteral("MP3-Dateien"));
    placeTwips(*fileList, 3840, 120, 3720, 2910);
    fileList->setToolTip(QStringLiteral("Klicken und \"Play\" drücken um das Lied zu spielen"));
    fileCount = new QLabel(this);
    fileCount->setWordWrap(true);
    placeTwips(*fileCount, 120, 3090, 6360, 420);

    const auto button = [this, &placeTwips](double left, double top, const QString& tip) {
        auto* label = new SkinLabel(this);
        label->setToolTip(tip);
        label->setAlignment(Qt::AlignCenter);
        placeTwips(*label, left, top, 375, 375);
        return label;
    };
    previewPlayButton = button(6720, 3090, QStringLiteral("Datei spielen"));
    previewPlayButton->setCaption(QStringLiteral("4"));
    previewPlayButton->setGlyph(SkinLabel::Glyph::Play);
    previewStopButton = button(7140, 3090, QStringLiteral("Musik stoppen"));
    previewStopButton->setCaption(QStringLiteral("<"));
    previewStopButton->setGlyph(SkinLabel::Glyph::Stop);
    addButton = button(120, 3570, QStringLiteral("Verzeichnis einfügen"));
    QFont arrowFont = addButton->font();
    arrowFont.setPointSizeF(14);
    arrowFont.setBold(true);
    addButton->setFont(arrowFont);
    addButton->setCaption(QStringLiteral("\u2B07"));  // a heavy downward arrow: into the list

    listCaption = new QLabel(
        QStringLiteral(
            "Eingefügte Verzeichnisse: (Die Einträge können untereinander verschoben werden)"),
        this);
    listCaption->setWordWrap(true);
    placeTwips(*listCaption, 600, 3540, 6960, 420);
    folderListBox = new FolderListBox(this);
    folderListBox->setObjectName(QStringLiteral("folderListBox"));
    folderListBox->setAccessibleName(QStringLiteral("Eingefügte Verzeichnisse"));
    placeTwips(*folderListBox, 120, 3990, 7440, 1500);

    const auto command = [this, &placeTwips](int column, const QString& caption,
                                             const QString& tip) {
        auto* b = new QPushButton(caption, this);
        b->setToolTip(tip);
        placeTwips(*b, 120 + column * 1500, 5610, 1440, 420);
        return b;
    };
    commitButton =
        command(0, QStringLiteral("Verz. einfügen"),
                QStringLiteral("Fügt alle MP3 aus diesem Verzeichnis in die Playlist ein "
                               "und schließt das Fenster"));
    cancelButton = command(1, QStringLiteral("Abbrechen"),
                           QStringLiteral("Schließt das Fenster ohne Einstellung zu übernehmen"));
    saveButton = command(2, QStringLiteral("Verz. speichern"),
                         QStringLiteral("Speichert die Verzeichnisse in eine externe Datei"));
    clearButton = command(3, QStringLiteral("Verz.löschen"),
                          QStringLiteral("Eingefügte Verzeichnisse löschen"));
    loadButton = command(4, QStringLiteral("Verz. laden"),
                         QStringLiteral("Lädt zuvor gespeicherte Verzeichnisse in obige Liste"));

    // The drive and folder column, then the files beside it with their preview, then the list.
    chainTabOrder({driveBox, folderTree, fileList, previewPlayButton, previewStopButton, addButton,
                   folderListBox, commitButton, cancelButton, saveButton, clearButton, loadButton});
}

void FolderBrowser::wireControls() {
    connect(navigation_, &FolderNavigation::moved, this, &FolderBrowser::showFiles);
    connect(folderTree, &FolderTree::clicked, this, [this] {
        // A listing under way brings the files of the folder it goes to.
        if (navigation_->requests().busy()) {
            return;
        }
        const auto list = [source = source_, folder = folderTree->path()](std::stop_token) {
            const std::vector<QString> names = source->mp3NamesIn(folder);
            return QStringList(names.begin(), names.end());
        };
        navigation_->requests().start(list, [this](const QStringList& names) { showFiles(names); });
    });
    connect(fileList, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (previewPlayer) {
            previewPlayer->stop();
            previewPlayer->setFileName(folderTree->path() + QLatin1Char('/') +
                                       index.data().toString());
        }
    });
    connect(addButton, &SkinLabel::clicked, this, &FolderBrowser::addHighlightedFolder);
    connect(addButton, &SkinLabel::mouseDown, this, [this] { addButton->setForeColor(kBlue); });
    connect(addButton, &SkinLabel::mouseUp, this, [this] { addButton->setForeColor(kBlack); });
    connect(previewPlayButton, &SkinLabel::clicked, this, [this] {
        if (previewPlayer) {
            previewPlayer->play();
        }
        if (!previewPlayer || previewPlayer->playState() != MediaPlayer::kPlaying) {
            messages_.show(QStringLiteral("Keine MP3 zum abspielen gewählt"),
                           QStringLiteral("Abspielfehler!"), MessageBoxes::Buttons::Ok,
                           MessageBoxes::Icon::None);
        }
    });
    connect(previewStopButton, &SkinLabel::clicked, this, &FolderBrowser::stopPreview);
    connect(folderListBox, &FolderListBox::deletePressed, this, [this] {
        if (const int row = folderListBox->listIndex(); row >= 0) {
            folderListBox->removeEntry(row);
        }
    });
    connect(folderListBox, &FolderListBox::mouseDown, this,
            [this] { dragPosition_ = folderListBox->listIndex(); });
    connect(folderListBox, &FolderListBox::mouseMoved, this, &FolderBrowser::dragFolder);
    connect(folderListBox, &FolderListBox::mouseUp, this, [this] { dragPosition_ = -1; });
    // Nothing to commit while the list is empty.
    commitButton->setEnabled(false);
    connect(folderListBox, &FolderListBox::countChanged, this,
            [this] { commitButton->setEnabled(folderListBox->count() > 0); });
    connect(commitButton, &QPushButton::clicked, this, [this] {
        emit commitRequested();
        leave();
    });
    connect(cancelButton, &QPushButton::clicked, this, &FolderBrowser::leave);
    connect(saveButton, &QPushButton::clicked, this,
            [this] { fileDialog&& saveListVia(*fileDialog, folders_.program); });
    connect(clearButton, &QPushButton::clicked, this, &FolderBrowser::clearList);
    connect(loadButton, &QPushButton::clicked, this, [this] {
        if (!fileDialog) {
            return;
        }
        fileDialog->dialogTitle = QStringLiteral("Playlist laden");
        fileDialog->filter = QStringLiteral("Playlist-Dateien (*.mpc)|*.mpc");
        fileDialog->initDir = folders_.playlists;
        fileDialog->defaultExt = QStringLiteral(".mpc");
        fileDialog->showOpen();
        // A cancelled dialog leaves no name, and the list stays as it was.
        if (!fileDialog->fileName.isEmpty()) {
            loadList(fileDialog->fileName);
        }
    });
    answerDialogKeys(*this, [this] { leave(); });
}

void FolderBrowser::presetFolder(const QString& folder) {
    navigation_->goTo(folder, [this] { showFirstFolder(); });
}

void FolderBrowser::showFirstFolder() {
    if (folderTree->path().isEmpty()) {
        navigation_->goTo(QDir::homePath(), [this] { navigation_->goTo(QStringLiteral("/")); });
    }
}

void FolderBrowser::showFiles(const QStringList& names) {
    fileNames->setStringList(names);
    fileCount->setText(
        QStringLiteral("In diesem Ordner sind %1 MP3's welche hinzugefügt werden können")
            .arg(fileNames->rowCount()));
}

void FolderBrowser::stopPreview() {
    if (previewPlayer) {
        previewPlayer->stop();
        previewPlayer->setFileName(QString());
    }
}

void FolderBrowser::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) {
        return;  // restored from the task bar, not opened
    }
    driveBox->refresh();
    driveBox->selectDriveOf(folderTree->path());
    if (!navigation_->requests().busy()) {
        showFirstFolder();
    }
}

void FolderBrowser::leave() {
    hide();
    stopPreview();
    emit left();
}

void FolderBrowser::closeEvent(QCloseEvent* event) {
    event->ignore();
    leave();
}
