#include "playlistwindow/TrackInfoWindow.h"

#include <QCloseEvent>
#include <QGridLayout>

#include <algorithm>
#include <cmath>

#include "app/Program.h"
#include "mainwindow/MainWindow.h"
#include "platform/MediaPlayer.h"
#include "playlistwindow/PlaylistWindow.h"
#include "util/DialogKeys.h"
#include "util/Twips.h"

namespace {

// The path of the selected playlist line; "" without a selection or a slot in the store.
QString selectedPath(const Program& program) {
    const playlist* pl = program.playlistIfLoaded();
    const int line = pl != nullptr ? pl->listIndex() : -1;
    return program.store.path(line + 1);
}

}  // namespace

QString lengthText(double seconds) {
    // Beyond a billion seconds nothing is a real length; the bound keeps the conversion safe.
    constexpr double kLongest = 1e9;
    const long long whole =
        std::isfinite(seconds) && seconds > 0 ? std::llrint(std::min(seconds, kLongest)) : 0;
    return QStringLiteral("%1:%2 Minuten").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
}

dateiinfo::dateiinfo(Program& program)
    : QWidget(nullptr, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint), program_(program) {
    setObjectName(QStringLiteral("dateiinfo"));
    setWindowTitle(QStringLiteral("Datei-Informationen"));
    setFixedSize(twips::size(kClientWidth, kClientHeight, program.desktop()));

    Label2 = new QLabel(QStringLiteral("Dateipfad:"));
    Text1 = new QLineEdit;
    Text1->setAccessibleName(QStringLiteral("Dateipfad"));
    Text1->setReadOnly(true);
    QPalette grey = Text1->palette();
    grey.setColor(QPalette::Base, grey.color(QPalette::Button));
    Text1->setPalette(grey);
    Label4 = new QLabel(QStringLiteral("Länge:"));
    Label3 = new QLabel;
    Command1 = new QPushButton(QStringLiteral("Schließen"));
    loadTimeout = new QTimer(this);
    loadTimeout->setSingleShot(true);
    loadTimeout->setInterval(kLoadTimeoutMs);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label2, 0, 0);
    layout->addWidget(Text1, 1, 0, 1, 2);
    layout->addWidget(Label4, 2, 0);
    layout->addWidget(Label3, 2, 1);
    layout->addWidget(Command1, 3, 1, Qt::AlignRight);
    layout->setColumnStretch(1, 1);

    connect(Command1, &QPushButton::clicked, this, &dateiinfo::Command1_Click);
    connect(loadTimeout, &QTimer::timeout, this, &dateiinfo::showLength);
    answerDialogKeys(*this, [this] { Command1_Click(); });
    Form_Load();
}

dateiinfo::~dateiinfo() = default;

void dateiinfo::Form_Load() {
    MediaPlayer* forInfo = program_.form1().infoPlayer();
    const QString path = selectedPath(program_);
    if (forInfo == nullptr || path.isEmpty()) {
        Label3->setText(lengthText(0));
        return;
    }
    forInfo->setAutoStart(false);
    forInfo->setFileName(path);
    // The player opens a file in the background; its length is known once it is open.
    if (forInfo->isLoading()) {
        loadFinished_ = connect(forInfo, &MediaPlayer::loadFinished, this, &dateiinfo::showLength);
        loadTimeout->start();
    } else {
        showLength();
    }
}

void dateiinfo::showLength() {
    disconnect(loadFinished_);
    loadTimeout->stop();
    MediaPlayer* forInfo = program_.form1().infoPlayer();
    if (forInfo == nullptr) {
        Label3->setText(lengthText(0));
        return;
    }
    // Still opening after the timeout: the file is taken as unmeasurable.
    Label3->setText(lengthText(forInfo->isLoading() ? 0.0 : forInfo->duration()));
    forInfo->setAutoStart(false);
    forInfo->stop();
}

void dateiinfo::Command1_Click() {
    unload();
}

void dateiinfo::unload() {
    Text1->clear();
    program_.unloadDateiinfo();
}

void dateiinfo::closeEvent(QCloseEvent* event) {
    event->ignore();
    unload();
}

void mnutrackinfo_Click(Program& program) {
    // Loading the window measures the length; a window already open keeps its length.
    dateiinfo& window = program.dateiinfoWindow();
    window.show();
    window.raise();
    window.activateWindow();
    window.Text1->setText(selectedPath(program));
}
