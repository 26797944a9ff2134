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
    const PlaylistWindow* pl = program.playlistIfLoaded();
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

TrackInfoWindow::TrackInfoWindow(Program& program)
    : QWidget(nullptr, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint), program_(program) {
    setObjectName(QStringLiteral("TrackInfoWindow"));
    setWindowTitle(QStringLiteral("Datei-Informationen"));
    setFixedSize(twips::size(kClientWidth, kClientHeight, program.desktop()));

    pathLabel = new QLabel(QStringLiteral("Dateipfad:"));
    pathEdit = new QLineEdit;
    pathEdit->setAccessibleName(QStringLiteral("Dateipfad"));
    pathEdit->setReadOnly(true);
    QPalette grey = pathEdit->palette();
    grey.setColor(QPalette::Base, grey.color(QPalette::Button));
    pathEdit->setPalette(grey);
    lengthCaption = new QLabel(QStringLiteral("Länge:"));
    lengthLabel = new QLabel;
    closeButton = new QPushButton(QStringLiteral("Schließen"));
    loadTimeout = new QTimer(this);
    loadTimeout->setSingleShot(true);
    loadTimeout->setInterval(kLoadTimeoutMs);

    auto* layout = new QGridLayout(this);
    layout->addWidget(pathLabel, 0, 0);
    layout->addWidget(pathEdit, 1, 0, 1, 2);
    layout->addWidget(lengthCaption, 2, 0);
    layout->addWidget(lengthLabel, 2, 1);
    layout->addWidget(closeButton, 3, 1, Qt::AlignRight);
    layout->setColumnStretch(1, 1);

    connect(closeButton, &QPushButton::clicked, this, &TrackInfoWindow::closeWindow);
    connect(loadTimeout, &QTimer::timeout, this, &TrackInfoWindow::showLength);
    answerDialogKeys(*this, [this] { closeWindow(); });
    measureLength();
}

TrackInfoWindow::~TrackInfoWindow() = default;

void TrackInfoWindow::measureLength() {
    MediaPlayer* infoPlayer = program_.mainWindow().infoPlayer();
    const QString path = selectedPath(program_);
    if (infoPlayer == nullptr || path.isEmpty()) {
        lengthLabel->setText(lengthText(0));
        return;
    }
    infoPlayer->setAutoStart(false);
    infoPlayer->setFileName(path);
    // The player opens a file in the background; its length is known once it is open.
    if (infoPlayer->isLoading()) {
        loadFinished_ =
            connect(infoPlayer, &MediaPlayer::loadFinished, this, &TrackInfoWindow::showLength);
        loadTimeout->start();
    } else {
        showLength();
    }
}

void TrackInfoWindow::showLength() {
    disconnect(loadFinished_);
    loadTimeout->stop();
    MediaPlayer* infoPlayer = program_.mainWindow().infoPlayer();
    if (infoPlayer == nullptr) {
        lengthLabel->setText(lengthText(0));
        return;
    }
    // Still opening after the timeout: the file is taken as unmeasurable.
    lengthLabel->setText(lengthText(infoPlayer->isLoading() ? 0.0 : infoPlayer->duration()));
    infoPlayer->setAutoStart(false);
    infoPlayer->stop();
}

void TrackInfoWindow::closeWindow() {
    unload();
}

void TrackInfoWindow::unload() {
    pathEdit->clear();
    program_.unloadTrackInfoWindow();
}

void TrackInfoWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    unload();
}

void showTrackInfo(Program& program) {
    // Loading the window measures the length; a window already open keeps its length.
    TrackInfoWindow& window = program.trackInfoWindow();
    window.show();
    window.raise();
    window.activateWindow();
    window.pathEdit->setText(selectedPath(program));
}
