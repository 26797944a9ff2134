#include "platform/AlsaMixer.h"

#include <alsa/asoundlib.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr int kSpeakersId = 1;
constexpr int kMicrophoneId = 2;

// ALSA prints its own complaints to stderr (no sound server, no card); the player just runs
// on with the slider's default range.
void silentAlsaError(const char* /*file*/, int /*line*/, const char* /*function*/, int /*err*/,
                     const char* /*fmt*/, ...) {}

struct MixerCloser {
    void operator()(snd_mixer_t* mixer) const { snd_mixer_close(mixer); }
};
using MixerHandle = std::unique_ptr<snd_mixer_t, MixerCloser>;

struct ConfigDeleter {
    void operator()(snd_config_t* config) const { snd_config_delete(config); }
};
using ConfigHandle = std::unique_ptr<snd_config_t, ConfigDeleter>;

// The ALSA configuration as it reads now. In ALSA's own copy, what `default` means is settled at
// the first opening in the process: with no sound server at that moment, it never names the
// server that comes later. Each opening therefore reads a copy of its own.
ConfigHandle currentConfig() {
    snd_config_t* top = nullptr;
    snd_config_update_t* update = nullptr;
    if (snd_config_update_r(&top, &update, nullptr) < 0) {
        return nullptr;
    }
    snd_config_update_free(update);
    return ConfigHandle(top);
}

MixerHandle openMixer(const std::string& device, snd_config_t* config) {
    snd_lib_error_set_handler(silentAlsaError);
    snd_mixer_t* raw = nullptr;
    if (snd_mixer_open(&raw, 0) < 0) {
        return nullptr;
    }
    MixerHandle mixer(raw);
    snd_ctl_t* ctl = nullptr;
    if (snd_ctl_open_lconf(&ctl, device.c_str(), 0, config) < 0) {
        return nullptr;
    }
    snd_hctl_t* hctl = nullptr;
    if (snd_hctl_open_ctl(&hctl, ctl) < 0) {
        snd_ctl_close(ctl);
        return nullptr;
    }
    // From here the mixer owns the control, and closes it even when attaching fails.
    if (snd_mixer_attach_hctl(mixer.get(), hctl) < 0 ||
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

// The open mixer of the mixer thread, with the two elements the controls stand for.
class AlsaMixer::Device {
public:
    bool isOpen() const { return mixer_ != nullptr; }
    snd_mixer_t* handle() const { return mixer_.get(); }

    void open(const std::string& name) {
        close();
        config_ = currentConfig();
        mixer_ = config_ ? openMixer(name, config_.get()) : nullptr;
        if (mixer_) {
            speakers_ = playbackVolumeElement(mixer_.get(), "Master");
            microphone_ = playbackVolumeElement(mixer_.get(), "Mic");
        }
    }
    void close() {
        mixer_.reset();
        config_.reset();  // after the mixer that was opened with it
        speakers_ = nullptr;
        microphone_ = nullptr;
    }
    Controls controls() const {
        return {describe(speakers_, kSpeakersId), describe(microphone_, kMicrophoneId)};
    }
    // The loudest channel of the speakers, as what is heard.
    std::optional<long> speakersValue() const {
        long loudest = 0;
        bool found = false;
        for (int channel = 0; speakers_ != nullptr && channel <= SND_MIXER_SCHN_LAST; ++channel) {
            const auto id = static_cast<snd_mixer_selem_channel_id_t>(channel);
            long value = 0;
            if (snd_mixer_selem_has_playback_channel(speakers_, id) != 0 &&
                snd_mixer_selem_get_playback_volume(speakers_, id, &value) >= 0) {
                loudest = found ? std::max(loudest, value) : value;
                found = true;
            }
        }
        return found ? std::optional<long>(loudest) : std::nullopt;
    }
    // False when the mixer refused a value: its sound server has gone.
    bool write(const std::map<int, long>& values) {
        for (const auto& [id, value] : values) {
            snd_mixer_elem_t* element = id == kSpeakersId ? speakers_ : microphone_;
            if (element != nullptr && snd_mixer_selem_set_playback_volume_all(element, value) < 0) {
                return false;
            }
        }
        return true;
    }

private:
    ConfigHandle config_;
    MixerHandle mixer_;
    snd_mixer_elem_t* speakers_ = nullptr;
    snd_mixer_elem_t* microphone_ = nullptr;
};

AlsaMixer::AlsaMixer(std::string device)
    : device_(std::move(device)), wakeFd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

AlsaMixer::~AlsaMixer() {
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
    if (wakeFd_ >= 0) {
        ::close(wakeFd_);
    }
}

std::optional<MixerControl> AlsaMixer::volumeControl(Line line) {
    const std::scoped_lock lock(mutex_);
    return line == Line::Speakers ? controls_.speakers : controls_.microphone;
}

std::optional<long> AlsaMixer::answeredValue(int controlId) {
    const std::scoped_lock lock(mutex_);
    return controlId == kSpeakersId ? speakersValue_ : std::nullopt;
}

bool AlsaMixer::setValue(int controlId, long value) {
    {
        const std::scoped_lock lock(mutex_);
        const bool known = (controlId == kSpeakersId && controls_.speakers) ||
                           (controlId == kMicrophoneId && controls_.microphone);
        if (!known) {
            return false;
        }
        pending_[controlId] = value;
    }
    wake();
    return true;
}

void AlsaMixer::open() {
    {
        const std::scoped_lock lock(mutex_);
        openWanted_ = true;
    }
    // Only the GUI thread calls this: the thread starts once.
    if (!thread_.joinable()) {
        thread_ = std::jthread([this](const std::stop_token& stop) { run(stop); });
    }
    wake();
}

void AlsaMixer::wake() const {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeFd_, &one, sizeof one);
}

void AlsaMixer::run(const std::stop_token& stop) {
    const std::stop_callback onStop(stop, [this] { wake(); });
    Device device;
    while (true) {
        bool openNow = false;
        std::map<int, long> batch;
        {
            const std::scoped_lock lock(mutex_);
            openNow = !device.isOpen() && (openWanted_ || !pending_.empty());
            openWanted_ = false;
        }
        if (openNow) {
            openDevice(device);
        }
        {
            const std::scoped_lock lock(mutex_);
            batch = std::exchange(pending_, {});
        }
        // A closed mixer that did not open drops the values; the next one tries again.
        if (!batch.empty() && device.isOpen() && !device.write(batch)) {
            // The sound server went away and may be back already: a new connection, once.
            openDevice(device);
            if (device.isOpen() && !device.write(batch)) {
                device.close();
            }
        }
        if (stop.stop_requested()) {
            return;
        }
        if (!waitForWork(device)) {
            device.close();
        }
    }
}

void AlsaMixer::openDevice(Device& device) {
    device.open(device_);
    if (!device.isOpen()) {
        return;  // what was found before still names the controls of the next opening
    }
    const Controls found = device.controls();
    bool changed = false;
    {
        const std::scoped_lock lock(mutex_);
        changed = found != controls_;
        controls_ = found;
        speakersValue_ = device.speakersValue();
    }
    if (changed) {
        emit controlsChanged();
    }
}

bool AlsaMixer::waitForWork(Device& device) {
    std::vector<pollfd> fds{{wakeFd_, POLLIN, 0}};
    snd_mixer_t* const mixer = device.handle();
    if (mixer != nullptr) {
        const int count = snd_mixer_poll_descriptors_count(mixer);
        if (count > 0) {
            fds.resize(1 + static_cast<std::size_t>(count));
            const int filled = snd_mixer_poll_descriptors(mixer, &fds[1], count);
            fds.resize(1 + static_cast<std::size_t>(std::max(filled, 0)));
        }
    }
    while (poll(fds.data(), fds.size(), -1) < 0) {
        if (errno != EINTR) {
            return true;
        }
    }
    if ((fds[0].revents & POLLIN) != 0) {
        std::uint64_t wakes = 0;
        [[maybe_unused]] const ssize_t read = ::read(wakeFd_, &wakes, sizeof wakes);
    }
    if (fds.size() > 1) {
        unsigned short events = 0;
        snd_mixer_poll_descriptors_revents(mixer, &fds[1],
                                           static_cast<unsigned int>(fds.size() - 1), &events);
        if ((events & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            return false;
        }
        // Changes made elsewhere, or the news that the device has gone.
        if ((events & POLLIN) != 0) {
            return snd_mixer_handle_events(mixer) >= 0;
        }
    }
    return true;
}
