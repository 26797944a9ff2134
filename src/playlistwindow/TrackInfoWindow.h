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
class dateiinfo : public QWidget {
    Q_OBJECT
public:
    static constexpr double kClientWidth = 5850;
    static constexpr double kClientHeight = 2430;
    // How long the length waits for the player to open the file.
    static constexpr int kLoadTimeoutMs = 2000;

    explicit dateiinfo(Program& program);
    ~dateiinfo() override;

    void Command1_Click();

    QLabel* Label2;
    QLineEdit* Text1;
    QLabel* Label4;
    QLabel* Label3;
    QPushButton* Command1;
    QTimer* loadTimeout;  // runs while the file is being opened

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void showLength();
    void unload();

    Program& program_;
    QMetaObject::Connection loadFinished_;
};

// A length as the window shows it: whole seconds (halves to even) as minutes and seconds,
// "3:06 Minuten"; anything unmeasurable reads "0:00 Minuten".
QString lengthText(double seconds);

// "Infos zum Track" in the playlist window's menu.
void mnutrackinfo_Click(Program& program);
