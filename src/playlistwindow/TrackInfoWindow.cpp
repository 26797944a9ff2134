#include "playlistwindow/TrackInfoWindow.h"

#include <QCloseEvent>
#include <QGridLayout>

#include <algorithm>
#include <cmath>

#include "platform/MediaPlayer.h"
#include "util/DialogKeys.h"
#include "util/Twips.h"

QString lengthText(double seconds) {
    // Beyond a billion seconds nothing is a real length; the bound keeps the conversion safe.
    constexpr double kLongest = 1e9;
    const long long whole =
        std::isfinite(seconds) && seconds > 0 ? std::llrint(std::min(seconds, kLongest)) : 0;
    return QStringLiteral("%1:%2 Minuten").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
}

TrackInfoWindow::TrackInfoWindow(const Desktop& desktop, MediaPlayer* infoPlayer,
                                 const QString& path)
    : QWidget(nullptr, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint), infoPlayer_(infoPlayer) {
    setObjectName(QStringLiteral("TrackInfoWindow"));
    setWindowTitle(QStringLiteral("Datei-Informationen"));
    setFixedSize(twips::size(kClientWidth, kClientHeight, desktop));

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

    connect(closeButton, &QPushButton::clicked, this, &TrackInfoWindow::unload);
    connect(loadTimeout, &QTimer::timeout, this, &TrackInfoWindow::showLength);
    answerDialogKeys(*this, [this] { unload(); });
    if (infoPlayer == nullptr || path.isEmpty()) {
        lengthLabel->setText(lengthText(0));
        return;
    }
    infoPlayer->setFileName(path);
    // The player opens a file in the background; its length is known once it is open.
    if (infoPlayer->isLoading()) {
        loadFinished_ =
            connect(infoPlayer, &MediaPlayer::loadFinished, this, &TrackInfoWindow::showLength);
        loadTimeout->start();
        return;
    }
    showLength();
}

void TrackInfoWindow::showLength() {
    disconnect(loadFinished_);
    loadTimeout->stop();
    MediaPlayer* infoPlayer = infoPlayer_;
    if (infoPlayer == nullptr) {
        lengthLabel->setText(lengthText(0));
        return;
    }
    // Still opening after the timeout: the file is taken as unmeasurable.
    lengthLabel->setText(lengthText(infoPlayer->isLoading() ? 0.0 : infoPlayer->duration()));
    infoPlayer->stop();
}

void TrackInfoWindow::unload() {
    pathEdit->clear();
    emit unloadRequested();
}

void TrackInfoWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    unload();
}
