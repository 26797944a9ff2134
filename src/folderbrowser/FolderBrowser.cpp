#include "folderbrowser/FolderBrowser.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QDir>

#include "app/Program.h"
#include "folderbrowser/Drives.h"
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

frmopen::frmopen(Program& program)
    // No close box: the user leaves through "Verz. einfügen" or "Abbrechen".
    // A dialog, so that it stays above the main window on a desktop.
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      program_(program) {
    setObjectName(QStringLiteral("frmopen"));
    setWindowTitle(QStringLiteral("MP3 Verzeichnis einfügen"));
    CommonDialog1 = program.makeFileDialog();
    MediaPlayer1 = program.makePlayer();
    if (MediaPlayer1) {
        MediaPlayer1->setAutoStart(false);
    }
    Timer1 = new FormTimer(100, false, this);  // ticks while the window is shown
    buildControls();
    navigation_ = new FolderNavigation(program, *this, *Drive1, *Dir1, true);
    wireControls();
}

frmopen::~frmopen() = default;

void frmopen::placeTwips(QWidget& control, double left, double top, double width, double height) {
    twips::setGeometry(control, left, top, width, height, program_.desktop());
}

void frmopen::buildControls() {
    const Desktop& d = program_.desktop();
    centreOnScreenTwips(*this, kBrowserWidth, kBrowserHeight, d);

    Drive1 = new DriveList(this);
    Drive1->setAccessibleName(QStringLiteral("Laufwerk"));
    Drive1->view()->setAccessibleName(QStringLiteral("Laufwerke"));
    placeTwips(*Drive1, 120, 120, 3600, 315);
    Dir1 = new FolderList(this);
    Dir1->setAccessibleName(QStringLiteral("Verzeichnisse"));
    placeTwips(*Dir1, 120, 495, 3600, 2535);
    File1 = new Mp3FileList(this);
    File1->setAccessibleName(QStringLiteral("MP3-Dateien"));
    placeTwips(*File1, 3840, 120, 3720, 2910);
    File1->setToolTip(QStringLiteral("Klicken und \"Play\" drücken um das Lied zu spielen"));
    Label3 = new QLabel(this);
    Label3->setWordWrap(true);
    placeTwips(*Label3, 120, 3090, 6360, 420);

    const auto button = [this](double left, double top, const QString& tip) {
        auto* label = new SkinLabel(this);
        label->setTwipsPerPixel(program_.desktop().twipsPerPixelX(),
                                program_.desktop().twipsPerPixelY());
        label->setToolTip(tip);
        label->setAlignment(Qt::AlignCenter);
        placeTwips(*label, left, top, 375, 375);
        return label;
    };
    Label4 = button(6720, 3090, QStringLiteral("Datei spielen"));
    Label4->setCaption(QStringLiteral("4"));
    Label4->setGlyph(SkinLabel::Glyph::Play);
    Label5 = button(7140, 3090, QStringLiteral("Musik stoppen"));
    Label5->setCaption(QStringLiteral("<"));
    Label5->setGlyph(SkinLabel::Glyph::Stop);
    Label2 = button(120, 3570, QStringLiteral("Verzeichnis einfügen"));
    QFont arrowFont = Label2->font();
    arrowFont.setPointSizeF(14);
    arrowFont.setBold(true);
    Label2->setFont(arrowFont);
    Label2->setCaption(QStringLiteral("\u2B07"));  // a heavy downward arrow: into the list

    Label1 = new QLabel(
        QStringLiteral(
            "Eingefügte Verzeichnisse: (Die Einträge können untereinander verschoben werden)"),
        this);
    Label1->setWordWrap(true);
    placeTwips(*Label1, 600, 3540, 6960, 420);
    lstdirs = new FolderListBox(this);
    lstdirs->setObjectName(QStringLiteral("lstdirs"));
    lstdirs->setAccessibleName(QStringLiteral("Eingefügte Verzeichnisse"));
    placeTwips(*lstdirs, 120, 3990, 7440, 1500);

    const auto command = [this](int column, const QString& caption, const QString& tip) {
        auto* b = new QPushButton(caption, this);
        b->setToolTip(tip);
        placeTwips(*b, 120 + column * 1500, 5610, 1440, 420);
        return b;
    };
    Command1 = command(0, QStringLiteral("Verz. einfügen"),
                       QStringLiteral("Fügt alle MP3 aus diesem Verzeichnis in die Playlist ein "
                                      "und schließt das Fenster"));
    Command2 = command(1, QStringLiteral("Abbrechen"),
                       QStringLiteral("Schließt das Fenster ohne Einstellung zu übernehmen"));
    Command3 = command(2, QStringLiteral("Verz. speichern"),
                       QStringLiteral("Speichert die Verzeichnisse in eine externe Datei"));
    Command4 = command(3, QStringLiteral("Verz.löschen"),
                       QStringLiteral("Eingefügte Verzeichnisse löschen"));
    Command5 = command(4, QStringLiteral("Verz. laden"),
                       QStringLiteral("Lädt zuvor gespeicherte Verzeichnisse in obige Liste"));

    // The drive and folder column, then the files beside it with their preview, then the list.
    chainTabOrder({Drive1, Dir1, File1, Label4, Label5, Label2, lstdirs, Command1, Command2,
                   Command3, Command4, Command5});
}

void frmopen::wireControls() {
    connect(navigation_, &FolderNavigation::moved, this, &frmopen::showFiles);
    connect(Drive1, &QComboBox::activated, this, &frmopen::Drive1_Change);
    connect(Dir1, &FolderList::clicked, this, &frmopen::Dir1_Change);
    connect(Dir1, &FolderList::openRequested, this, &frmopen::Dir1_Open);
    connect(File1, &Mp3FileList::fileClicked, this, &frmopen::File1_Click);
    connect(Label2, &SkinLabel::clicked, this, &frmopen::Label2_Click);
    connect(Label2, &SkinLabel::mouseDown, this, [this] { Label2->setForeColor(kBlue); });
    connect(Label2, &SkinLabel::mouseUp, this, [this] { Label2->setForeColor(kBlack); });
    connect(Label4, &SkinLabel::clicked, this, &frmopen::Label4_Click);
    connect(Label5, &SkinLabel::clicked, this, &frmopen::Label5_Click);
    connect(lstdirs, &FolderListBox::keyDown, this, &frmopen::lstdirs_KeyDown);
    connect(lstdirs, &FolderListBox::mouseDown, this, &frmopen::lstdirs_MouseDown);
    connect(lstdirs, &FolderListBox::mouseMoved, this, &frmopen::lstdirs_MouseMove);
    connect(lstdirs, &FolderListBox::mouseUp, this, &frmopen::lstdirs_MouseUp);
    connect(Timer1, &FormTimer::timeout, this, &frmopen::Timer1_Timer);
    // The timer would catch up within 100 ms; a commit clicked right after an add must not
    // find the button still disabled.
    connect(lstdirs, &FolderListBox::countChanged, this,
            [this] { Command1->setEnabled(lstdirs->count() > 0); });
    connect(Command1, &QPushButton::clicked, this, &frmopen::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmopen::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmopen::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmopen::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &frmopen::Command5_Click);
    answerDialogKeys(*this, [this] { Command2_Click(); });
}

void frmopen::presetFolder(const QString& folder) {
    navigation_->goTo(folder, [this] { showFirstFolder(); });
}

void frmopen::showFirstFolder() {
    if (Dir1->path().isEmpty()) {
        navigation_->goTo(QDir::homePath(), [this] { navigation_->goTo(QStringLiteral("/")); });
    }
}

void frmopen::Drive1_Change() {
    navigation_->goToChosenDrive();
}

void frmopen::Dir1_Open(const QString& folder) {
    navigation_->open(folder);
}

void frmopen::Dir1_Change() {
    // A listing under way brings the files of the folder it goes to.
    if (navigation_->requests().busy()) {
        return;
    }
    const auto list = [source = program_.folderSource(), folder = Dir1->path()](std::stop_token) {
        const std::vector<QString> names = source->mp3NamesIn(folder);
        return QStringList(names.begin(), names.end());
    };
    navigation_->requests().start(list, [this](const QStringList& names) { showFiles(names); });
}

void frmopen::showFiles(const QStringList& names) {
    File1->setNames(names);
    Label3->setText(
        QStringLiteral("In diesem Ordner sind %1 MP3's welche hinzugefügt werden können")
            .arg(File1->count()));
}

void frmopen::File1_Click(const QString& name) {
    if (MediaPlayer1) {
        MediaPlayer1->stop();
        MediaPlayer1->setFileName(Dir1->path() + QLatin1Char('/') + name);
    }
}

void frmopen::Label4_Click() {
    if (MediaPlayer1) {
        MediaPlayer1->play();
    }
    if (!MediaPlayer1 || MediaPlayer1->playState() != MediaPlayer::kPlaying) {
        program_.messages().show(QStringLiteral("Keine MP3 zum abspielen gewählt"),
                                 QStringLiteral("Abspielfehler!"), MessageBoxes::Buttons::Ok,
                                 MessageBoxes::Icon::None);
    }
}

void frmopen::Label5_Click() {
    stopPreview();
}

void frmopen::stopPreview() {
    if (MediaPlayer1) {
        MediaPlayer1->stop();
        MediaPlayer1->setFileName(QString());
    }
}

void frmopen::releasePreview() {
    MediaPlayer1.reset();
}

void frmopen::Timer1_Timer() {
    Command1->setEnabled(lstdirs->count() > 0);
    if (MediaPlayer1) {
        MediaPlayer1->setAutoStart(false);
    }
}

void frmopen::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) {
        return;  // restored from the task bar, not opened
    }
    Drive1->refresh();
    Drive1->selectDriveOf(Dir1->path());
    if (!navigation_->requests().busy()) {
        showFirstFolder();
    }
    Timer1_Timer();
    Timer1->setEnabled(true);
}

void frmopen::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous()) {
        Timer1->setEnabled(false);
    }
}

void frmopen::closeEvent(QCloseEvent* event) {
    event->ignore();
    Command2_Click();
}
