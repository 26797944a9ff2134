#pragma once

#include <QObject>

#include "mainwindow/VolumeMath.h"
#include "model/SettingsModel.h"
#include "platform/Mixer.h"
#include "skin/SkinSlider.h"

class MainWindow;

// The volume slider, which drives the system mixer's speakers volume, and the mute button,
// which mutes only the player. The value lives in the settings model; the mixer follows every
// change of it, and so does the thumb where it does not show the value already. For the keyboard
// and screen readers the thumb is a slider of the level in percent.
class VolumeControl : public QObject, public SkinSlider {
    Q_OBJECT
public:
    // How far Left and Right move the focused slider.
    static constexpr int kKeyStepPercent = 5;

    explicit VolumeControl(MainWindow& form);

    // Start-up: takes the mixer's controls as far as it has answered, and whatever it answers
    // later; the speakers control's bounds give the slider's range. Nothing found: the default
    // range, and the mixer is not written. Until a volume is set, the slider shows the level
    // the speakers had when the mixer answered.
    void findMixerControls();

    // Puts the thumb where the held value says.
    void placeThumb();

    // The mixer, the thumb and screen readers follow the held value.
    void applyVolume();

    // The tray's volume steps: the thumb moves by `stepTwips`, the mixer follows and the tray
    // submenu shows the new level. settings.cfg is not written.
    void nudge(double stepTwips);
    // A tray step that lands the thumb at this share (0 to 1) of its track.
    void nudgeToShare(double share);

    double sliderValue() const override;
    double sliderMaximum() const override { return 100; }
    double sliderStep() const override { return kKeyStepPercent; }
    // The level that shows this percentage: the mixer follows at once.
    void moveSlider(double percent) override;
    // As the release of a drag on the thumb: settings.cfg is written.
    void endSliderChange() override;

    // The thumb's left edge in twips, as the arithmetic keeps it (the widget sits on whole
    // pixels).
    double thumbLeft() const { return thumbLeft_; }

private:
    volume::TrackGeometry track() const;
    void moveThumb(double left);
    // The value from the thumb, and the level caption from the value.
    void takeValueFromThumb();
    void grabThumb();
    void endDrag();
    // The mute button mutes only the player; the other button stands in its place meanwhile.
    void setMuted(bool muted);
    // The mixer's controls, as it answers now. The thumb moves only when the range changes.
    void takeMixerControls();
    // The tray submenu shows the level the last move set.
    void showLevelInTray();

    MainWindow& form_;
    SettingsModel& settings_;
    bool volDrag_ = false;
    double thumbLeft_;
    MixerControl speakersControl_;
    MixerControl monitorControl_;
    // The value changed while the mixer had not answered: it is written once it does.
    bool mixerOwed_ = false;
    bool takingMixerLevel_ = false;
    int announcedPercent_ = -1;  // the level screen readers were told last
};
