#pragma once

#include <condition_variable>
#include <future>
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
// Every ALSA call runs on the mixer's own thread: a write to a sound server's mixer waits for
// the server's answer (several milliseconds), and the window must never wait for that. Values
// set faster than the mixer takes them are merged, so only the latest one is written.
class AlsaMixer final : public Mixer {
public:
    // Starts opening the device's mixer at once, so that it is ready by the time the slider asks.
    explicit AlsaMixer(std::string device = "default");
    // Writes what is still pending, then closes the mixer.
    ~AlsaMixer() override;
    AlsaMixer(const AlsaMixer&) = delete;
    AlsaMixer& operator=(const AlsaMixer&) = delete;

    // Waits for the opening to finish, but no longer than two seconds: a sound server that
    // does not answer leaves the slider with nothing found.
    std::optional<MixerControl> volumeControl(Line line) override;
    bool setValue(int controlId, long value) override;

private:
    struct Controls {
        std::optional<MixerControl> speakers;
        std::optional<MixerControl> microphone;
    };

    void run(const std::stop_token& stop);
    // What the opening found; nothing while it is still opening.
    Controls controls() const;

    std::string device_;
    std::promise<Controls> opened_;
    std::shared_future<Controls> controls_;
    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::map<int, long> pending_;  // control id -> latest value not yet written
    std::jthread thread_;          // last: it starts once everything above exists
};
