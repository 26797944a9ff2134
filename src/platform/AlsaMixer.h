#pragma once

#include <map>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>

#include "platform/Mixer.h"

// The ALSA simple mixer of the `default` device: `Master` is the speakers, the playback volume
// of `Mic` the microphone's monitor line. On a PulseAudio or PipeWire system `default` is the
// sound server's mixer, which has no `Mic`.
//
// Every ALSA call runs on the mixer's own thread: opening the mixer connects to the sound
// server and a write waits for its answer, which a stopped server never gives, and the window
// must never wait for that. Values set faster than the mixer takes them are merged, so only
// the latest one is written. When the sound server goes away (a write fails, or the mixer
// reports its device gone) the mixer is opened anew for the next write. Each opening reads the
// ALSA configuration afresh, so a server that came after the program started is found.
class AlsaMixer final : public Mixer {
public:
    // Nothing is opened before open() is called.
    explicit AlsaMixer(std::string device = "default");
    // Writes what is still pending, then closes the mixer.
    ~AlsaMixer() override;
    AlsaMixer(const AlsaMixer&) = delete;
    AlsaMixer& operator=(const AlsaMixer&) = delete;

    std::optional<MixerControl> volumeControl(Line line) override;
    bool setValue(int controlId, long value) override;
    std::optional<long> answeredValue(int controlId) override;
    void open() override;

private:
    struct Controls {
        std::optional<MixerControl> speakers;
        std::optional<MixerControl> microphone;

        bool operator==(const Controls&) const = default;
    };
    class Device;

    void run(const std::stop_token& stop);
    // Opens the mixer; a mixer that opens tells what it found.
    void openDevice(Device& device);
    // Sleeps until asked for something or the device reports; false when the device went away.
    bool waitForWork(Device& device);
    void wake() const;

    std::string device_;
    int wakeFd_ = -1;
    std::mutex mutex_;
    Controls controls_;                  // what the latest opening found
    std::optional<long> speakersValue_;  // the speakers' value at that opening
    bool openWanted_ = false;            // open as soon as possible
    std::map<int, long> pending_;        // control id -> latest value not yet written
    std::jthread thread_;                // started by the first open()
};
