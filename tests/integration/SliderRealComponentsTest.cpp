#include <QScopeGuard>
#include <QTest>

#include "MpvTestSupport.h"
#include "fakes/ProgramFixture.h"
#include "platform/AlsaMixer.h"
#include "player/Form1.h"
#include "player/Position.h"
#include "player/Volume.h"

namespace {

// The main window with real players and, where asked, the real ALSA mixer behind the fake one.
class SliderRealComponentsTest : public ProgramFixture {
protected:
    SliderRealComponentsTest() {
        realPlayers = [this] { return std::make_unique<MpvPlayer>(library); };
    }
    // The players must go before the library they were made from.
    ~SliderRealComponentsTest() override { program.reset(); }
    Form1& form() { return program->form1(); }

    MpvLibrary library;
};

TEST_F(SliderRealComponentsTest, DraggingTheNotchSeeksTheRealPlayerToItsTarget) {
    start();
    MediaPlayer& player = *form().player();
    player.setFileName(longTone550());
    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.duration() > 0 && player.currentPosition() > 0.1; }));
    player.pause();

    QTest::mousePress(control<SkinLabel>("imgnotch"), Qt::LeftButton);
    // The notch 2380 of 3165 twips along the bar, 170 twips left of the mouse.
    desktop->cursor = QPoint(form().x() + (3940 + 170) / 15, form().y());
    form().position().SeekTick();
    QTest::mouseRelease(control<SkinLabel>("imgnotch"), Qt::LeftButton);
    const double target = player.duration() * 2380 / 3165;
    ASSERT_GT(target, 2.5);

    // Paused, the position gets near the target only by the seek.
    EXPECT_TRUE(waitUntil([&] { return std::abs(player.currentPosition() - target) < 0.5; }))
        << "at " << player.currentPosition() << " s, target " << target << " s";
    runEventsFor(200);
    EXPECT_NEAR(player.currentPosition(), target, 0.5);
    form().position().SeekTick();
    EXPECT_EQ(control<SkinLabel>("lbltime")->caption(), "0:03 / 0:04");
}

TEST_F(SliderRealComponentsTest, VolumeDragSetsTheSoundServersSinkAndLeavesItsSource) {
    const std::optional<QString> sourceBefore = pactl({"get-source-volume", "@DEFAULT_SOURCE@"});
    if (!sourceBefore || !pactl({"set-sink-volume", "@DEFAULT_SINK@", "20%"})) {
        GTEST_SKIP() << "no PulseAudio server answers; ./test starts one with a null sink";
    }
    // The recordings of other tests expect the sink at full volume.
    const auto restore = qScopeGuard([] { pactl({"set-sink-volume", "@DEFAULT_SINK@", "100%"}); });
    AlsaMixer alsa;
    mixer->setReal(&alsa);
    start();
    ASSERT_TRUE(waitUntil([&] { return alsa.volumeControl(Mixer::Line::Speakers).has_value(); }));
    // PulseAudio's Master runs 0..65536: half of it, held to 16 bits, is the slider's length.
    ASSERT_EQ(control<VolumeHolder>("setVolume")->span(), 32767);

    QTest::mousePress(control<SkinLabel>("imgVol"), Qt::LeftButton);
    desktop->cursor = QPoint(form().x() + 389, form().y());  // the middle of the track
    ASSERT_TRUE(waitUntil([this] { return control<VolumeHolder>("setVolume")->value() > 0; }));
    QTest::mouseRelease(control<SkinLabel>("imgVol"), Qt::LeftButton);
    const int percent = control<VolumeHolder>("setVolume")->value() * 200 /
                        65536;  // the mixer gets twice the value
    EXPECT_EQ(control<SkinLabel>("lblttVol")->caption(),
              QStringLiteral("Lautstärke %1%").arg(percent));
    ASSERT_GE(percent, 45);
    ASSERT_LE(percent, 55);

    EXPECT_TRUE(waitUntil([&] { return std::abs(sinkPercent() - percent) <= 1; }))
        << "the sink is at " << sinkPercent() << " %";
    EXPECT_EQ(pactl({"get-source-volume", "@DEFAULT_SOURCE@"}), sourceBefore);
}

TEST(AlsaMixerTest, ADeviceWithoutMixerFindsNothingAndSetsNothing) {
    AlsaMixer none("hw:99");
    none.open();
    runEventsFor(300);
    EXPECT_EQ(none.volumeControl(Mixer::Line::Speakers), std::nullopt);
    EXPECT_EQ(none.volumeControl(Mixer::Line::MicrophoneMonitor), std::nullopt);
    EXPECT_FALSE(none.setValue(1, 100));
}

}  // namespace
