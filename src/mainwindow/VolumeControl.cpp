#include "mainwindow/VolumeControl.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "app/Program.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MixerHelpers.h"
#include "util/Twips.h"

namespace {

QString levelText(int percent) {
    return QStringLiteral("Lautstärke %1%").arg(percent);
}

}  // namespace

Volume::Volume(Form1& form)
    : QObject(&form), form_(form), thumbLeft_(form.controlLeftTwips(*form.imgVol)) {
    // The thumb lies over the track, so that a press on it is the thumb's; the tooltip over all.
    form_.imgVol->raise();
    form_.lblttVol->raise();
    form_.imgVol->setSlider(this);
    connect(form_.imgVol, &SkinLabel::mouseDown, this, &Volume::imgVol_MouseDown);
    connect(form_.lblVol, &SkinLabel::mouseDown, this, &Volume::lblVol_MouseDown);
    connect(form_.tmrTime, &FormTimer::timeout, this, &Volume::tmrTime_Timer);
    connect(form_.imgVol, &SkinLabel::mouseUp, this, &Volume::imgVol_MouseUp);
    connect(form_.lblVol, &SkinLabel::mouseUp, this, &Volume::lblVol_MouseUp);
    connect(form_.imgVol, &SkinLabel::mouseMoved, this, &Volume::imgVol_MouseMove);
    connect(&form_.setVolume, &VolumeHolder::Change, this, &Volume::setVolume_Change);
    using Step = std::pair<const char*, void (Volume::*)()>;
    const std::array<Step, 4> steps{{{"mnuvolup", &Volume::mnuvolup_Click},
                                     {"mnuvolup1", &Volume::mnuvolup1_Click},
                                     {"mnuvoldown1", &Volume::mnuvoldown1_Click},
                                     {"mnuvoldown", &Volume::mnuvoldown_Click}}};
    for (const auto& [name, handler] : steps) {
        connect(form_.menuItem(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    }
    connect(form_.muting, &SkinLabel::clicked, this, &Volume::muting_Click);
    connect(form_.muting2, &SkinLabel::clicked, this, &Volume::muting2_Click);
}

volume::TrackGeometry Volume::track() const {
    return {form_.controlLeftTwips(*form_.lblVol), form_.controlWidthTwips(*form_.lblVol),
            form_.controlWidthTwips(*form_.imgVol)};
}

void Volume::moveThumb(double left) {
    thumbLeft_ = left;
    form_.setControlLeftTwips(*form_.imgVol, left);
}

void Volume::setMutingHeight() {
    form_.setControlHeightTwips(*form_.muting, 480);
}

void Volume::findMixerControls() {
    if (Mixer* mixer = form_.program().mixer()) {
        connect(mixer, &Mixer::controlsChanged, this, &Volume::takeMixerControls,
                Qt::UniqueConnection);
    }
    takeMixerControls();
}

void Volume::takeMixerControls() {
    Mixer* mixer = form_.program().mixer();
    VolumeHolder& slider = form_.setVolume;
    Volumer::GetMixerControl(mixer, Mixer::Line::MicrophoneMonitor, micCtrl_);
    if (Volumer::GetMixerControl(mixer, Mixer::Line::Speakers, volCtrl_)) {
        const volume::SliderRange range =
            volume::rangeFromBounds(volCtrl_.lowerBound, volCtrl_.upperBound);
        if (range.min != slider.min || range.max != slider.max) {
            slider.max = range.max;
            slider.min = range.min;
            // A value beyond the new end is held at it.
            if (slider.value() > slider.span()) {
                slider.setValue(slider.span());
            }
            placeThumb();
        }
        if (!volumeChosen_ && mixer != nullptr) {
            takeMixerLevel(*mixer);
        }
    }
    if (mixerOwed_ && volCtrl_.id != 0) {
        setVolume_Change();
    }
}

void Volume::takeMixerLevel(Mixer& mixer) {
    const std::optional<long> level = mixer.answeredValue(volCtrl_.id);
    if (!level) {
        return;
    }
    volumeChosen_ = true;
    takingMixerLevel_ = true;
    form_.setVolume.setValue(volume::valueForMixerLevel(*level, form_.setVolume.span()));
    takingMixerLevel_ = false;
    placeThumb();
}

void Volume::placeThumb() {
    moveThumb(volume::thumbLeftForValue(track(), form_.setVolume.value(), form_.setVolume.span()));
}

void Volume::setStoredVolume(int value) {
    volumeChosen_ = true;
    form_.setVolume.setValue(value);
    placeThumb();
}

void Volume::setVolume_Change() {
    if (!takingMixerLevel_) {
        volumeChosen_ = true;
        writeMixer();
    }
    const int percent = volume::heardPercentage(form_.setVolume.value(), form_.setVolume.span());
    if (percent != announcedPercent_) {
        announcedPercent_ = percent;
        form_.imgVol->announceSliderValue();
    }
}

void Volume::writeMixer() {
    Mixer* mixer = form_.program().mixer();
    // A mixer that has not answered (its sound server came late, or not yet) is opened again;
    // the value follows once it answers.
    mixerOwed_ = volCtrl_.id == 0;
    if (mixerOwed_ && mixer != nullptr) {
        mixer->open();
    }
    Volumer::SetMixerControl(mixer, volCtrl_, 2L * form_.setVolume.value());
    // Only a monitor line into the speakers is silenced; a recording level is never touched.
    Volumer::SetMixerControl(mixer, micCtrl_, 0);
}

void Volume::takeValueFromThumb() {
    const int span = form_.setVolume.span();
    form_.setVolume.setValue(volume::valueFromThumb(track(), thumbLeft_, span));
    form_.lblttVol->setCaption(levelText(volume::percentage(form_.setVolume.value(), span)));
}

void Volume::imgVol_MouseDown() {
    volDrag_ = true;
    form_.lblttVol->show();
    form_.tmrTime->setInterval(10);
}

void Volume::tmrTime_Timer() {
    if (!volDrag_) {
        return;
    }
    const Desktop& desktop = form_.program().desktop();
    const double mouseX = desktop.twipsPerPixelX() * desktop.cursorPos().x();
    moveThumb(volume::thumbLeftForMouse(track(), mouseX, twips::left(form_, desktop)));
    takeValueFromThumb();
}

void Volume::endDrag() {
    volDrag_ = false;
    form_.lblttVol->hide();
    form_.tmrTime->setInterval(0);
    // Nobody is told when this fails: the volume is kept all the same.
    emit volumeToKeep();
}

void Volume::imgVol_MouseUp() {
    endDrag();
    showLevelInTray();
}

void Volume::showLevelInTray() {
    // A click shorter than one tick gave the level label no text yet: the tray keeps its own.
    if (!form_.lblttVol->caption().isEmpty()) {
        form_.mnuvolume->setTitle(form_.lblttVol->caption());
    }
}

void Volume::lblVol_MouseUp() {
    endDrag();
}

void Volume::imgVol_MouseMove() {
    form_.imgVol->setToolTip(
        QStringLiteral("Lautstärke bei %1%")
            .arg(volume::percentage(form_.setVolume.value(), form_.setVolume.span())));
}

void Volume::VolumeNudge(double stepTwips) {
    moveThumb(track().clamp(thumbLeft_ + stepTwips));
    takeValueFromThumb();
    form_.mnuvolume->setTitle(form_.lblttVol->caption());
}

void Volume::nudgeToShare(double share) {
    const volume::TrackGeometry geometry = track();
    VolumeNudge(geometry.trackLeft + share * geometry.travel() - thumbLeft_);
}

void Volume::muting_Click() {
    MediaPlayer* player = form_.MediaPlayer1.get();
    if (player == nullptr || player->mute()) {
        return;
    }
    player->setMute(true);
    form_.muting2->show();
    form_.muting->hide();
    form_.muting2->setToolTip(QStringLiteral("Ton einschalten"));
}

void Volume::muting2_Click() {
    MediaPlayer* player = form_.MediaPlayer1.get();
    if (player == nullptr || !player->mute()) {
        return;
    }
    player->setMute(false);
    form_.muting2->hide();
    form_.muting->show();
    form_.muting->setToolTip(QStringLiteral("Ton ausschalten"));
}

QString Volume::sliderName() const {
    return QStringLiteral("Lautstärke");
}

double Volume::sliderValue() const {
    return volume::heardPercentage(form_.setVolume.value(), form_.setVolume.span());
}

void Volume::moveSlider(double percent) {
    if (!std::isfinite(percent)) {
        return;
    }
    const int span = form_.setVolume.span();
    const int wanted = static_cast<int>(std::lround(std::clamp(percent, 0.0, 100.0)));
    form_.setVolume.setValue(volume::valueForPercentage(wanted, span));
    placeThumb();
    form_.lblttVol->setCaption(levelText(volume::percentage(form_.setVolume.value(), span)));
}

void Volume::endSliderChange() {
    // Nobody is told when this fails, as at the end of a drag.
    emit volumeToKeep();
    showLevelInTray();
}
