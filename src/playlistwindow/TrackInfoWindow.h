#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

class Desktop;
class MediaPlayer;

// The track information: path and playing length of the file behind the selected playlist
// line. The length is measured once, when the window is loaded, with the main window's
// second player, so that playback goes on undisturbed.
class TrackInfoWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr double kClientWidth = 5850;
    static constexpr double kClientHeight = 2430;
    // How long the length waits for the player to open the file.
    static constexpr int kLoadTimeoutMs = 2000;

    // Measures the file at `path` with `infoPlayer` (none: nothing is measured).
    TrackInfoWindow(const Desktop& desktop, MediaPlayer* infoPlayer, const QString& path);

    QLabel* pathLabel;
    QLineEdit* pathEdit;
    QLabel* lengthCaption;
    QLabel* lengthLabel;
    QPushButton* closeButton;
    QTimer* loadTimeout;  // runs while the file is being opened

signals:
    // The close box, "Schließen" or a dialog key: the window is to be unloaded.
    void unloadRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showLength();
    void unload();

    QPointer<MediaPlayer> infoPlayer_;
    QMetaObject::Connection loadFinished_;
};

// A length as the window shows it: whole seconds (halves to even) as minutes and seconds,
// "3:06 Minuten"; anything unmeasurable reads "0:00 Minuten".
QString lengthText(double seconds);
