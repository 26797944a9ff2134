#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <memory>

#include "platform/Desktop.h"
#include "platform/FileDialog.h"
#include "platform/MediaPlayer.h"
#include "platform/MessageBoxes.h"

// A screen of fixed size at 96 DPI with a mouse pointer the test moves.
class FakeDesktop : public Desktop {
public:
    QPoint cursor;
    QSize screen{1280, 1024};
    QPoint cursorPos() const override { return cursor; }
    QSize screenSize() const override { return screen; }
    double logicalDpiX() const override { return 96.0; }
    double logicalDpiY() const override { return 96.0; }
};

// Records every message box and answers from a queue (Ok / No when the queue is empty).
class FakeMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        QString text;
        QString title;
        Buttons buttons;
        Icon icon;
    };
    std::deque<Answer> answers;
    std::vector<Shown> shown;

    Answer show(const QString& text, const QString& title, Buttons buttons, Icon icon) override {
        shown.push_back({text, title, buttons, icon});
        if (!answers.empty()) {
            const Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
};

// A player that only remembers what it was told.
class FakePlayer : public MediaPlayer {
public:
    QString file;
    QString next;
    double position = 0;
    double length = 0;
    int state = 0;
    bool muted = false;
    bool autoStarts = true;
    // With slowLoad, a file set stays loading (duration unknown) until finishLoad().
    bool slowLoad = false;
    bool loading = false;
    QStringList calls;

    void play() override {
        calls << QStringLiteral("play");
        if (!file.isEmpty()) {
            state = kPlaying;
        }
    }
    void pause() override {
        calls << QStringLiteral("pause");
        state = 1;
    }
    void stop() override {
        calls << QStringLiteral("stop");
        state = 0;
        position = 0;
    }
    void setFileName(const QString& path) override {
        calls << QStringLiteral("file:") + path;
        file = path;
        position = 0;
        state = 0;
        loading = slowLoad && !path.isEmpty();
    }
    QString fileName() const override { return file; }
    double currentPosition() const override { return position; }
    void setCurrentPosition(double seconds) override { position = seconds; }
    double duration() const override { return length; }
    int playState() const override { return state; }
    bool mute() const override { return muted; }
    void setMute(bool on) override { muted = on; }
    bool autoStart() const override { return autoStarts; }
    void setAutoStart(bool on) override { autoStarts = on; }
    void setNextFileName(const QString& path) override { next = path; }
    bool isLoading() const override { return loading; }

    void finishLoad() {
        loading = false;
        emit loadFinished();
    }

    // What the engine does when the playing file ends by itself.
    void finish() {
        state = 0;
        emit endOfStream(8);
    }
};

// A dialog that "chooses" what the test preset in chosenFile ("" = cancelled).
class FakeFileDialog : public FileDialog {
public:
    QString chosenFile;
    int opens = 0;
    int saves = 0;
    void showOpen() override {
        ++opens;
        fileName = chosenFile;
    }
    void showSave() override {
        ++saves;
        fileName = chosenFile;
    }
};
