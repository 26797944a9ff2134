#include "platform/AlsaMixer.h"

#include <alsa/asoundlib.h>

#include <chrono>
#include <memory>
#include <utility>

namespace {

constexpr int kSpeakersId = 1;
constexpr int kMicrophoneId = 2;
constexpr auto kOpenTimeout = std::chrono::seconds(2);

// ALSA prints its own complaints to stderr (no sound server, no card); the player just runs
// on with the slider's default range.
void silentAlsaError(const char* /*file*/, int /*line*/, const char* /*function*/, int /*err*/,
                     const char* /*fmt*/, ...) {}

struct MixerCloser {
    void operator()(snd_mixer_t* mixer) const { snd_mixer_close(mixer); }
};
using MixerHandle = std::unique_ptr<snd_mixer_t, MixerCloser>;

MixerHandle openMixer(const std::string& device) {
    snd_lib_error_set_handler(silentAlsaError);
    snd_mixer_t* raw = nullptr;
    if (snd_mixer_open(&raw, 0) < 0) {
        return nullptr;
    }
    MixerHandle mixer(raw);
    if (snd_mixer_attach(mixer.get(), device.c_str()) < 0 ||
        snd_mixer_selem_register(mixer.get(), nullptr, nullptr) < 0 ||
        snd_mixer_load(mixer.get()) < 0) {
        return nullptr;
    }
    return mixer;
}

snd_mixer_elem_t* playbackVolumeElement(snd_mixer_t* mixer, const char* name) {
    snd_mixer_selem_id_t* id = nullptr;
    snd_mixer_selem_id_alloca(&id);
    snd_mixer_selem_id_set_name(id, name);
    snd_mixer_selem_id_set_index(id, 0);
    snd_mixer_elem_t* element = snd_mixer_find_selem(mixer, id);
    return element != nullptr && snd_mixer_selem_has_playback_volume(element) != 0 ? element
                                                                                   : nullptr;
}

std::optional<MixerControl> describe(snd_mixer_elem_t* element, int id) {
    long low = 0;
    long high = 0;
    if (element == nullptr || snd_mixer_selem_get_playback_volume_range(element, &low, &high) < 0) {
        return std::nullopt;
    }
    return MixerControl{id, low, high};
}

}  // namespace

AlsaMixer::AlsaMixer(std::string device)
    : device_(std::move(device)),
      controls_(opened_.get_future().share()),
      thread_([this](const std::stop_token& stop) { run(stop); }) {}

AlsaMixer::~AlsaMixer() {
    thread_.request_stop();
    thread_.join();
}

AlsaMixer::Controls AlsaMixer::controls() const {
    return controls_.wait_for(kOpenTimeout) == std::future_status::ready ? controls_.get()
                                                                         : Controls{};
}

std::optional<MixerControl> AlsaMixer::volumeControl(Line line) {
    const Controls found = controls();
    return line == Line::Speakers ? found.speakers : found.microphone;
}

bool AlsaMixer::setValue(int controlId, long value) {
    const Controls found = controls();
    const bool known = (controlId == kSpeakersId && found.speakers) ||
                       (controlId == kMicrophoneId && found.microphone);
    if (!known) {
        return false;
    }
    {
        const std::scoped_lock lock(mutex_);
        pending_[controlId] = value;
    }
    wake_.notify_one();
    return true;
}

void AlsaMixer::run(const std::stop_token& stop) {
    const MixerHandle mixer = openMixer(device_);
    snd_mixer_elem_t* speakers = mixer ? playbackVolumeElement(mixer.get(), "Master") : nullptr;
    snd_mixer_elem_t* microphone = mixer ? playbackVolumeElement(mixer.get(), "Mic") : nullptr;
    opened_.set_value(
        Controls{describe(speakers, kSpeakersId), describe(microphone, kMicrophoneId)});
    if (!mixer) {
        return;
    }

    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, stop, [this] { return !pending_.empty(); });
        if (pending_.empty()) {
            return;  // stopped with nothing left to write
        }
        const std::map<int, long> batch = std::exchange(pending_, {});
        lock.unlock();
        for (const auto& [id, value] : batch) {
            snd_mixer_elem_t* element = id == kSpeakersId ? speakers : microphone;
            snd_mixer_selem_set_playback_volume_all(element, value);
        }
        lock.lock();
    }
}
