#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QThread>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "platform/Desktop.h"
#include "platform/FileDialog.h"
#include "platform/LocalFolders.h"
#include "platform/MediaPlayer.h"
#include "platform/MessageBoxes.h"
#include "platform/Mixer.h"
#include "platform/TrayIcon.h"
#include "platform/WindowSystem.h"

// A screen of fixed size at 96 DPI with a mouse pointer the test moves.
class FakeDesktop : public Desktop {
public:
    QPoint cursor;
    QSize screen{1280, 1024};
    QRect available;  // none: the whole screen
    QPoint cursorPos() const override { return cursor; }
    QSize screenSize() const override { return screen; }
    QRect availableGeometry() const override {
        return available.isNull() ? QRect(QPoint(0, 0), screen) : available;
    }
    double logicalDpiX() const override { return 96.0; }
    double logicalDpiY() const override { return 96.0; }
};

// Records every message box and answers from a queue (Ok / No when it is empty); `whileOpen`
// runs once while the next box is open, as a real box's event loop would run other handlers.
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
    std::function<void()> whileOpen;
    int raises = 0;

    QStringList told() const {
        QStringList boxes;
        for (const Shown& box : shown) {
            boxes << box.title + ": " + box.text;
        }
        return boxes;
    }
    void raiseOpen() override { ++raises; }
    Answer show(const QString& text, const QString& title, Buttons buttons, Icon icon) override {
        shown.push_back({text, title, buttons, icon});
        if (whileOpen) {
            std::exchange(whileOpen, nullptr)();
        }
        if (answers.empty()) {
            return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
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
    // With slowLoad, a file set stays loading (duration unknown) until finishLoad().
    bool slowLoad = false;
    bool loading = false;
    QStringList calls;

    void play() override {
        calls << QStringLiteral("play");
        if (!file.isEmpty()) {
            setState(kPlaying);
        }
    }
    void pause() override {
        calls << QStringLiteral("pause");
        setState(kPaused);
    }
    void stop() override {
        calls << QStringLiteral("stop");
        setState(kStopped);
        position = 0;
    }
    void setFileName(const QString& path) override {
        calls << QStringLiteral("file:") + path;
        file = path;
        position = 0;
        setState(kStopped);
        loading = slowLoad && !path.isEmpty();
    }
    QString fileName() const override { return file; }
    double currentPosition() const override { return position; }
    void setCurrentPosition(double seconds) override { position = seconds; }
    double duration() const override { return length; }
    int playState() const override { return state; }
    bool mute() const override { return muted; }
    void setMute(bool on) override { muted = on; }
    void setNextFileName(const QString& path) override { next = path; }
    bool isLoading() const override { return loading; }

    void finishLoad() {
        loading = false;
        emit loadFinished();
    }

    // What the engine does when the playing file ends by itself.
    void finish() {
        setState(kStopped);
        emit endOfStream(8);
    }

    void setState(int now) {
        if (now != state) {
            state = now;
            emit playStateChanged();
        }
    }
};

// A dialog that "chooses" what the test preset in chosenFile ("" = cancelled).
class FakeFileDialog : public FileDialog {
public:
    QString chosenFile;
    int saves = 0;
    void showOpen() override { fileName = chosenFile; }
    void showSave() override {
        ++saves;
        fileName = chosenFile;
    }
};

// A mixer with speakers 0..65535 and no microphone monitor that remembers every value set.
// Until `answered` it knows no controls; answer() tells the slider. setReal() passes all on.
class FakeMixer : public Mixer {
public:
    static constexpr int kSpeakers = 1;
    static constexpr int kMicrophone = 2;
    std::optional<MixerControl> speakers = MixerControl{kSpeakers, 0, 65535};
    std::optional<MixerControl> microphone;
    std::optional<long> speakersLevel;  // told with the answer
    bool answered = true;
    int opens = 0;
    std::vector<std::pair<int, long>> writes;
    Mixer* real = nullptr;

    void setReal(Mixer* mixer) {
        real = mixer;
        connect(real, &Mixer::controlsChanged, this, &Mixer::controlsChanged);
    }
    void answer() {
        answered = true;
        emit controlsChanged();
    }
    std::optional<MixerControl> volumeControl(Line line) override {
        if (real != nullptr) {
            return real->volumeControl(line);
        }
        return !answered ? std::nullopt : line == Line::Speakers ? speakers : microphone;
    }
    std::optional<long> answeredValue(int controlId) override {
        if (real != nullptr) {
            return real->answeredValue(controlId);
        }
        return answered && controlId == kSpeakers ? speakersLevel : std::nullopt;
    }
    void open() override {
        ++opens;
        if (real != nullptr) {
            real->open();
        }
    }
    bool setValue(int controlId, long value) override {
        writes.emplace_back(controlId, value);
        return real == nullptr || real->setValue(controlId, value);
    }
    std::vector<long> writesTo(int controlId) const {
        std::vector<long> values;
        for (const auto& [id, value] : writes) {
            if (id == controlId) {
                values.push_back(value);
            }
        }
        return values;
    }
};

// A tray icon whose tray host the test switches on (off at first); send() is a mouse message.
class FakeTrayIcon : public TrayIcon {
public:
    bool hostRunning = false;
    bool added = false;
    QString tip;
    QMenu* menu = nullptr;

    void add(const QIcon& /*icon*/, const QString& text) override {
        added = true;
        tip = text;
    }
    void setTip(const QString& text) override { tip = text; }
    void setMenu(QMenu& shown) override { menu = &shown; }
    void remove() override { added = false; }
    bool isShownInTray() const override { return added && hostRunning; }

    void send(TrayIcon::Event event) { emit eventHappened(event); }
};

// This machine's folders behind a gate: a listing of a held folder waits until it is released.
// A listing on the GUI thread is counted and never waits: that thread must never wait on one.
class FakeFolderSource : public FolderSource {
public:
    void hold(const QString& folder) {
        const std::lock_guard lock(mutex_);
        held_.insert(folder);
    }
    void release(const QString& folder) {
        const std::lock_guard lock(mutex_);
        held_.erase(folder);
        released_.notify_all();
    }
    void releaseAll() {
        const std::lock_guard lock(mutex_);
        held_.clear();
        released_.notify_all();
    }
    int waiting(const QString& folder) const {
        const std::lock_guard lock(mutex_);
        const auto found = waiting_.find(folder);
        return found == waiting_.end() ? 0 : found->second;
    }
    int onGuiThread() const {
        const std::lock_guard lock(mutex_);
        return onGuiThread_;
    }

    std::vector<QString> mp3NamesIn(const QString& folder) const override {
        pass(folder);
        return LocalFolders().mp3NamesIn(folder);
    }
    std::optional<QStringList> subfoldersOf(const QString& folder) const override {
        pass(folder);
        return LocalFolders().subfoldersOf(folder);
    }

private:
    void pass(const QString& folder) const {
        std::unique_lock lock(mutex_);
        if (QThread::currentThread() == QCoreApplication::instance()->thread()) {
            ++onGuiThread_;
            return;
        }
        ++waiting_[folder];
        released_.wait(lock, [&] { return !held_.contains(folder); });
        --waiting_[folder];
    }

    mutable std::mutex mutex_;
    mutable std::condition_variable released_;
    std::set<QString> held_;
    mutable std::map<QString, int> waiting_;
    mutable int onGuiThread_ = 0;
};

// Task-list entries by window, windows raised and brought to the front.
class FakeWindowSystem : public WindowSystem {
public:
    std::map<const QWidget*, bool> listed;
    std::vector<const QWidget*> raised;
    std::vector<const QWidget*> broughtToFront;

    void setInTaskList(QWidget& window, bool inList) override { listed[&window] = inList; }
    void stackAbove(QWidget& window, const QWidget& sibling) override {
        raised.push_back(&window);
        WindowSystem::stackAbove(window, sibling);
    }
    void bringToFront(QWidget& window) override {
        broughtToFront.push_back(&window);
        WindowSystem::bringToFront(window);
    }
    // A window never asked about has an entry, as a new window on a desktop does.
    bool inTaskList(const QWidget& window) const {
        const auto found = listed.find(&window);
        return found == listed.end() || found->second;
    }
};
