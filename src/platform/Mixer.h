#pragma once

#include <optional>

// One volume control of the system mixer: an id the mixer knows it by (0: none) and the
// bounds of its value.
struct MixerControl {
    int id = 0;
    long lowerBound = 0;
    long upperBound = 0;
};

// The system mixer as the volume slider needs it: find a line's volume control, set it.
class Mixer {
public:
    enum class Line {
        Speakers,           // the master playback volume
        MicrophoneMonitor,  // the microphone's monitor line into the speakers, never a recording
                            // level
    };

    virtual ~Mixer() = default;

    // The line's volume control, or nothing when the mixer has none.
    virtual std::optional<MixerControl> volumeControl(Line line) = 0;
    // Sets a control found by volumeControl() to a value within its bounds. Never waits for the
    // mixer: the value may reach it a moment later. False when no such control was found.
    virtual bool setValue(int controlId, long value) = 0;
};
