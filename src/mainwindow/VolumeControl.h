#pragma once

#include <QObject>

#include "mainwindow/VolumeMath.h"
#include "platform/Mixer.h"
#include "skin/SkinSlider.h"

class Form1;

// The volume slider, which drives the system mixer's speakers volume, and the mute button,
// which mutes only the player. The value lives in the window's hidden scroll bar setVolume;
// the mixer follows every change of it. For the keyboard and screen readers the thumb is a
// slider of the level in percent.
class Volume : public QObject, public SkinSlider {
    Q_OBJECT
public:
    // How far Left and Right move the focused slider.
    static constexpr int kKeyStepPercent = 5;

    explicit Volume(Form1& form);

    // Start-up: takes the mixer's controls as far as it has answered, and whatever it answers
    // later; the speakers control's bounds give the slider's range. Nothing found: the default
    // range, and the mixer is not written. Until a volume is set, the slider shows the level
    // the speakers had when the mixer answered.
    void findMixerControls();
    // The mute button gets its start-up height.
    void setMutingHeight();
    // Puts the thumb where the held value says.
    void placeThumb();
    // Sets the held value, as a read of the settings does: the mixer and the thumb follow.
    void setStoredVolume(int value);

    void imgVol_MouseDown();
    void lblVol_MouseDown() { imgVol_MouseDown(); }
    void tmrTime_Timer();
    void imgVol_MouseUp();
    void lblVol_MouseUp();
    void imgVol_MouseMove();
    void setVolume_Change();

    // The tray's volume steps: the thumb moves by `stepTwips`, the mixer follows and the tray
    // submenu shows the new level. settings.cfg is not written.
    void VolumeNudge(double stepTwips);
    void mnuvolup_Click() { VolumeNudge(volume::kStepUp10); }
    void mnuvolup1_Click() { VolumeNudge(volume::kStepUp5); }
    void mnuvoldown1_Click() { VolumeNudge(volume::kStepDown5); }
    void mnuvoldown_Click() { VolumeNudge(volume::kStepDown10); }
    // A tray step that lands the thumb at this share (0 to 1) of its track.
    void nudgeToShare(double share);

    void muting_Click();
    void muting2_Click();

    QString sliderName() const override;
    double sliderValue() const override;
    double sliderMaximum() const override { return 100; }
    double sliderStep() const override { return kKeyStepPercent; }
    // The level that shows this percentage: the mixer follows at once.
    void moveSlider(double percent) override;
    // As the release of a drag on the thumb: settings.cfg is written.
    void endSliderChange() override;

    bool isDragging() const { return volDrag_; }
    // The thumb's left edge in twips, as the arithmetic keeps it (the widget sits on whole
    // pixels).
    double thumbLeft() const { return thumbLeft_; }

signals:
    // The user has set a volume: it is kept in settings.cfg.
    void volumeToKeep();

private:
    volume::TrackGeometry track() const;
    void moveThumb(double left);
    // The mixer follows the held value.
    void writeMixer();
    // The value from the thumb, and the level caption from the value.
    void takeValueFromThumb();
    void endDrag();
    // The mixer's controls, as it answers now. The thumb moves only when the range changes.
    void takeMixerControls();
    // The slider shows the speakers' level, which stays as it is.
    void takeMixerLevel(Mixer& mixer);
    // The tray submenu shows the level the last move set.
    void showLevelInTray();

    Form1& form_;
    bool volDrag_ = false;
    double thumbLeft_;
    MixerControl volCtrl_;
    MixerControl micCtrl_;
    // The value changed while the mixer had not answered: it is written once it does.
    bool mixerOwed_ = false;
    // A volume was stored, set or taken from the mixer: the mixer's level is not taken again.
    bool volumeChosen_ = false;
    bool takingMixerLevel_ = false;
    int announcedPercent_ = -1;  // the level screen readers were told last
};
