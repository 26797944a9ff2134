#pragma once

#include <QObject>
#include <optional>

// One volume control of the system mixer: an id the mixer knows it by (0: none) and the
// bounds of its value.
struct MixerControl {
    int id = 0;
    long lowerBound = 0;
    long upperBound = 0;

    bool operator==(const MixerControl&) const = default;
};

// The system mixer as the volume slider needs it: find a line's volume control, set it. A mixer
// may answer late (its sound server is slow or stopped) and may change its controls (the server
// restarted): nothing here ever waits for it.
class Mixer : public QObject {
    Q_OBJECT
public:
    enum class Line {
        Speakers,           // the master playback volume
        MicrophoneMonitor,  // the microphone's monitor line into the speakers, never a recording
                            // level
    };

    using QObject::QObject;

    // The line's volume control as far as the mixer has answered; nothing when it has none or
    // has not answered yet.
    virtual std::optional<MixerControl> volumeControl(Line line) = 0;
    // Sets a control found by volumeControl() to a value within its bounds. The value may reach
    // the mixer a moment later. False when no such control was found.
    virtual bool setValue(int controlId, long value) = 0;
    // The value a control found by volumeControl() had when the mixer answered; nothing when
    // it told none.
    virtual std::optional<long> answeredValue(int /*controlId*/) { return std::nullopt; }
    // Opens the mixer where it is not open: once the window is up (opening loads the sound
    // server's libraries, which would hold up the window's own), and again where it could not
    // be opened before (no sound server yet). The answer comes with controlsChanged().
    virtual void open() {}

signals:
    // What volumeControl() answers has changed: the mixer answered, or was opened anew.
    void controlsChanged();
};
