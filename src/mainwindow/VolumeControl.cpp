#include "mainwindow/VolumeControl.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "mainwindow/MainWindow.h"
#include "model/PlayerActions.h"
#include "util/Twips.h"

namespace {

QString levelText(int percent) {
    return QStringLiteral("Lautstärke %1%").arg(percent);
}

// Fills `record` with the line's volume control; false (record untouched) when there is none.
bool findVolumeControl(Mixer* mixer, Mixer::Line line, MixerControl& record) {
    const std::optional<MixerControl> found =
        mixer != nullptr ? mixer->volumeControl(line) : std::nullopt;
    if (found) {
        record = *found;
    }
    return found.has_value();
}

// Sets the control to `value`, held within the control's bounds. A record that found nothing
// (id 0) sets nothing: no other control is ever touched in its place.
void setVolumeControl(Mixer* mixer, const MixerControl& record, long value) {
    if (mixer == nullptr || record.id == 0) {
        return;
    }
    const long low = std::min(record.lowerBound, record.upperBound);
    const long high = std::max(record.lowerBound, record.upperBound);
    mixer->setValue(record.id, std::clamp(value, low, high));
}

}  // namespace

VolumeControl::VolumeControl(MainWindow& form)
    : QObject(&form),
      form_(form),
      settings_(form.settings_),
      thumbLeft_(twips::left(*form.volumeThumb, form.desktop())) {
    // The thumb lies over the track, so that a press on it is the thumb's; the tooltip over all.
    form_.volumeThumb->raise();
    form_.volumeTip->raise();
    form_.volumeThumb->setSlider(this);
    connect(form_.volumeThumb, &SkinLabel::mouseDown, this, &VolumeControl::grabThumb);
    connect(form_.volumeTrack, &SkinLabel::mouseDown, this, &VolumeControl::grabThumb);
    connect(form_.volumeDragTimer, &WindowTimer::timeout, this, [this] {
        if (!volDrag_) {
            return;
        }
        const Desktop& desktop = form_.desktop();
        const double mouseX = desktop.twipsPerPixelX() * desktop.cursorPos().x();
        moveThumb(volume::thumbLeftForMouse(track(), mouseX, twips::left(form_, desktop)));
        takeValueFromThumb();
    });
    connect(form_.volumeThumb, &SkinLabel::mouseUp, this, [this] {
        endDrag();
        showLevelInTray();
    });
    connect(form_.volumeTrack, &SkinLabel::mouseUp, this, &VolumeControl::endDrag);
    connect(form_.volumeThumb, &SkinLabel::mouseMoved, this, [this] {
        form_.volumeThumb->setToolTip(
            QStringLiteral("Lautstärke bei %1%")
                .arg(volume::percentage(settings_.volume(), settings_.volumeSpan())));
    });
    connect(&settings_, &SettingsModel::volumeChanged, this, &VolumeControl::applyVolume);
    PlayerActions& a = form_.actions_;
    const std::array<std::pair<QAction*, double>, 4> steps{
        {{&a.volumeUp10, volume::kStepUp10},
         {&a.volumeUp5, volume::kStepUp5},
         {&a.volumeDown5, volume::kStepDown5},
         {&a.volumeDown10, volume::kStepDown10}}};
    for (const auto& [action, step] : steps) {
        connect(action, &QAction::triggered, this, [this, step] { nudge(step); });
    }
    connect(&a.mute, &QAction::triggered, this, [this] { setMuted(true); });
    connect(&a.unmute, &QAction::triggered, this, [this] { setMuted(false); });
}

void VolumeControl::findMixerControls() {
    if (Mixer* mixer = form_.services_.mixer.get()) {
        connect(mixer, &Mixer::controlsChanged, this, &VolumeControl::takeMixerControls,
                Qt::UniqueConnection);
    }
    takeMixerControls();
}

volume::TrackGeometry VolumeControl::track() const {
    return {twips::left(*form_.volumeTrack, form_.desktop()),
            twips::width(*form_.volumeTrack, form_.desktop()),
            twips::width(*form_.volumeThumb, form_.desktop())};
}

void VolumeControl::moveThumb(double left) {
    thumbLeft_ = left;
    twips::setLeft(*form_.volumeThumb, left, form_.desktop());
}

void VolumeControl::takeMixerControls() {
    Mixer* mixer = form_.services_.mixer.get();
    findVolumeControl(mixer, Mixer::Line::MicrophoneMonitor, monitorControl_);
    if (findVolumeControl(mixer, Mixer::Line::Speakers, speakersControl_)) {
        const volume::SliderRange range =
            volume::rangeFromBounds(speakersControl_.lowerBound, speakersControl_.upperBound);
        const int span = std::abs(range.max - range.min);
        if (span != settings_.volumeSpan()) {
            settings_.setVolumeSpan(span);
            placeThumb();
        }
        // Until a volume is set, the slider shows the speakers' level, which stays as it is.
        const std::optional<long> level = mixer != nullptr && !settings_.volumeSet()
                                              ? mixer->answeredValue(speakersControl_.id)
                                              : std::nullopt;
        if (level) {
            takingMixerLevel_ = true;
            settings_.setVolume(volume::valueForMixerLevel(*level, settings_.volumeSpan()));
            takingMixerLevel_ = false;
        }
    }
    if (mixerOwed_ && speakersControl_.id != 0) {
        applyVolume();
    }
}

void VolumeControl::placeThumb() {
    moveThumb(volume::thumbLeftForValue(track(), settings_.volume(), settings_.volumeSpan()));
}

void VolumeControl::applyVolume() {
    Mixer* mixer = form_.services_.mixer.get();
    if (!takingMixerLevel_) {
        // A mixer that has not answered (its sound server came late, or not yet) is opened
        // again; the value follows once it answers.
        mixerOwed_ = speakersControl_.id == 0;
        if (mixerOwed_ && mixer != nullptr) {
            mixer->open();
        }
        setVolumeControl(mixer, speakersControl_, 2L * settings_.volume());
        // Only a monitor line into the speakers is silenced; a recording level is never touched.
        setVolumeControl(mixer, monitorControl_, 0);
    }
    // A value set elsewhere (a read of the settings, the keys, the mixer's level) moves the
    // thumb; one taken from the thumb leaves it where the mouse put it.
    const int span = settings_.volumeSpan();
    if (volume::valueFromThumb(track(), thumbLeft_, span) != settings_.volume()) {
        placeThumb();
    }
    const int percent = volume::heardPercentage(settings_.volume(), span);
    if (percent != announcedPercent_) {
        announcedPercent_ = percent;
        form_.volumeThumb->announceSliderValue();
    }
}

void VolumeControl::takeValueFromThumb() {
    const int span = settings_.volumeSpan();
    settings_.setVolume(volume::valueFromThumb(track(), thumbLeft_, span));
    form_.volumeTip->setCaption(levelText(volume::percentage(settings_.volume(), span)));
}

void VolumeControl::grabThumb() {
    volDrag_ = true;
    form_.volumeTip->show();
    form_.volumeDragTimer->setInterval(10);
}

void VolumeControl::endDrag() {
    volDrag_ = false;
    form_.volumeTip->hide();
    form_.volumeDragTimer->setInterval(0);
    // Nobody is told when this fails: the volume is kept all the same.
    settings_.save();
}

void VolumeControl::showLevelInTray() {
    // A click shorter than one tick gave the level label no text yet: the tray keeps its own.
    if (!form_.volumeTip->caption().isEmpty()) {
        form_.volumeMenu->setTitle(form_.volumeTip->caption());
    }
}

void VolumeControl::nudge(double stepTwips) {
    moveThumb(track().clamp(thumbLeft_ + stepTwips));
    takeValueFromThumb();
    form_.volumeMenu->setTitle(form_.volumeTip->caption());
}

void VolumeControl::nudgeToShare(double share) {
    const volume::TrackGeometry geometry = track();
    nudge(geometry.trackLeft + share * geometry.travel() - thumbLeft_);
}

void VolumeControl::setMuted(bool muted) {
    MediaPlayer* player = form_.player_.get();
    if (player == nullptr || player->mute() == muted) {
        return;
    }
    player->setMute(muted);
    form_.unmuteButton->setVisible(muted);
    form_.muteButton->setVisible(!muted);
    if (muted) {
        form_.unmuteButton->setToolTip(QStringLiteral("Ton einschalten"));
    } else {
        form_.muteButton->setToolTip(QStringLiteral("Ton ausschalten"));
    }
}

double VolumeControl::sliderValue() const {
    return volume::heardPercentage(settings_.volume(), settings_.volumeSpan());
}

void VolumeControl::moveSlider(double percent) {
    if (!std::isfinite(percent)) {
        return;
    }
    const int span = settings_.volumeSpan();
    const int wanted = static_cast<int>(std::lround(std::clamp(percent, 0.0, 100.0)));
    settings_.setVolume(volume::valueForPercentage(wanted, span));
    placeThumb();
    form_.volumeTip->setCaption(levelText(volume::percentage(settings_.volume(), span)));
}

void VolumeControl::endSliderChange() {
    // Nobody is told when this fails, as at the end of a drag.
    settings_.save();
    showLevelInTray();
}
