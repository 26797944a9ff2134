#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

class Program;

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

    explicit TrackInfoWindow(Program& program);
    ~TrackInfoWindow() override;

    void closeWindow();

    QLabel* pathLabel;
    QLineEdit* pathEdit;
    QLabel* lengthCaption;
    QLabel* lengthLabel;
    QPushButton* closeButton;
    QTimer* loadTimeout;  // runs while the file is being opened

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void measureLength();
    void showLength();
    void unload();

    Program& program_;
    QMetaObject::Connection loadFinished_;
};

// A length as the window shows it: whole seconds (halves to even) as minutes and seconds,
// "3:06 Minuten"; anything unmeasurable reads "0:00 Minuten".
QString lengthText(double seconds);

// "Infos zum Track" in the playlist window's menu.
void showTrackInfo(Program& program);
