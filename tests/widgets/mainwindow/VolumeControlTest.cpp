#include <QAccessible>

#include "fakes/ProgramFixture.h"
#include "mainwindow/VolumeControl.h"

namespace {

// The folder line is Latin-1, not UTF-8: a rewrite keeps its bytes.
const std::vector<QByteArray> kStored = {" 0 ", " 1 ", " 1 ",  "/musik/M\xf6tley, neu",
                                         " 0 ", " 0 ", " 100 "};

QByteArray fileOf(std::vector<QByteArray> lines, const QByteArray& volumeLine) {
    lines.back() = volumeLine;
    QByteArray bytes;
    for (const QByteArray& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

class VolumeControlTest : public ProgramFixture {
protected:
    VolumeControl& volume() { return mainWindow().volume(); }
    int value() { return program->settings().volume(); }
    void mouseAt(double twips) {
        desktop->cursor =
            QPoint(mainWindow().x() + static_cast<int>(twips / 15), mainWindow().y() + 60);
    }
    QPoint onTrack() { return {label("volumeTrack")->width() - 3, 4}; }  // clear of the thumb
};

TEST_F(VolumeControlTest, DragSetsTheMixerOncePerChangeAndSavesOnReleaseAsKeysAndScreenReadersDo) {
    writeSettings(kStored);
    start();
    // A click released before the first tick leaves the tray's caption as it was.
    click("volumeThumb");
    EXPECT_EQ(control<QMenu>("volumeMenu")->title(), "Lautstärke");
    mixer->writes.clear();
    QTest::mousePress(label("volumeThumb"), Qt::LeftButton);
    EXPECT_TRUE(label("volumeTip")->isVisible());
    EXPECT_TRUE(timer("volumeDragTimer")->isRunning());

    // The thumb centres on the mouse: 5820 - 105 twips, 315 of 645 along the track.
    mouseAt(5820);
    ASSERT_TRUE(waitUntil([this] { return value() == 16002; }));
    EXPECT_EQ(volume().thumbLeft(), 5715);
    EXPECT_EQ(label("volumeTip")->caption(), "Lautstärke 48%");
    runEventsFor(60);  // more ticks with the mouse standing still write nothing more
    EXPECT_EQ(mixer->writesTo(FakeMixer::kSpeakers), std::vector<long>{32004});
    EXPECT_EQ(mixer->writes.size(), 1U);
    EXPECT_EQ(readFile("settings.cfg"), fileOf(kStored, " 100 "));  // written only at the end

    QTest::mouseRelease(label("volumeThumb"), Qt::LeftButton);
    EXPECT_FALSE(label("volumeTip")->isVisible());
    EXPECT_FALSE(timer("volumeDragTimer")->isRunning());
    EXPECT_EQ(readFile("settings.cfg"), fileOf(kStored, " 16002 "));
    EXPECT_EQ(control<QMenu>("volumeMenu")->title(), "Lautstärke 48%");

    // The level the mixer shows, 48.8 %, where the caption cuts it down.
    EXPECT_EQ(readOut(label("volumeThumb")),
              std::tuple(QAccessible::Slider, "Lautstärke", 49, 0, 100));
    QAccessibleValueInterface* level =
        QAccessible::queryAccessibleInterface(label("volumeThumb"))->valueInterface();
    ASSERT_NE(level, nullptr);

    level->setCurrentValue(3.0);  // reads back as 3, not 2, however the value rounds
    EXPECT_EQ(level->currentValue().toDouble(), 3);
    EXPECT_EQ(mixer->writesTo(FakeMixer::kSpeakers).back(), 1968);
    EXPECT_EQ(readFile("settings.cfg"), fileOf(kStored, " 984 "));
    EXPECT_EQ(control<QMenu>("volumeMenu")->title(), "Lautstärke 3%");

    for (const auto& [key, percent] : {std::pair{Qt::Key_Right, 8}, {Qt::Key_Home, 0}}) {
        const QByteArray saved = readFile("settings.cfg");
        QTest::keyPress(label("volumeThumb"), key);
        EXPECT_EQ(level->currentValue().toInt(), percent);
        EXPECT_EQ(readFile("settings.cfg"), saved);  // not while the key is held
        QTest::keyRelease(label("volumeThumb"), key);
        EXPECT_NE(readFile("settings.cfg"), saved);
        EXPECT_EQ(control<QMenu>("volumeMenu")->title(),
                  QStringLiteral("Lautstärke %1%").arg(percent));
    }
    QTest::keyClick(label("volumeThumb"), Qt::Key_Left);  // held at the end
    EXPECT_EQ(readFile("settings.cfg"), fileOf(kStored, " 0 "));
}

TEST_F(VolumeControlTest, DragOnTheTrackIsHeldAtTheEndAndLeavesTheTrayCaption) {
    start();
    mixer->microphone = MixerControl{FakeMixer::kMicrophone, 0, 31};
    volume().findMixerControls();
    QTest::mousePress(label("volumeTrack"), Qt::LeftButton, {}, onTrack());
    mouseAt(30000);
    ASSERT_TRUE(waitUntil([this] { return value() == 32767; }));
    EXPECT_EQ(label("volumeTip")->caption(), "Lautstärke 100%");
    QTest::mouseRelease(label("volumeTrack"), Qt::LeftButton, {}, onTrack());

    EXPECT_EQ(mixer->writesTo(FakeMixer::kSpeakers), (std::vector<long>{65534}));
    // A monitor line into the speakers is silenced with every change.
    EXPECT_EQ(mixer->writesTo(FakeMixer::kMicrophone), (std::vector<long>{0}));
    EXPECT_EQ(control<QMenu>("volumeMenu")->title(), "Lautstärke");
    EXPECT_TRUE(readFile("settings.cfg").endsWith("\r\n 32767 \r\n"));
}

TEST_F(VolumeControlTest, TrayStepsStopAtTheEndsMuteTogglesOnlyThePlayerHoverTellsTheLevel) {
    start();
    actions().volumeUp5.trigger();
    actions().volumeUp5.trigger();
    actions().volumeUp10.trigger();
    // 129 of 645 twips: a fifth of 32767.
    EXPECT_EQ(value(), 6553);
    EXPECT_EQ(mixer->writesTo(FakeMixer::kSpeakers).back(), 13106);
    EXPECT_EQ(control<QMenu>("volumeMenu")->title(), "Lautstärke 19%");
    EXPECT_FALSE(label("volumeTip")->isVisible());
    for (int i = 0; i < 12; ++i) {
        actions().volumeUp10.trigger();
    }
    EXPECT_EQ(value(), 32767);
    for (int i = 0; i < 12; ++i) {
        actions().volumeDown10.trigger();
    }
    actions().volumeDown5.trigger();
    EXPECT_EQ(value(), 0);
    EXPECT_EQ(control<QMenu>("volumeMenu")->title(), "Lautstärke 0%");
    EXPECT_FALSE(fileExists("settings.cfg"));

    program->settings().setVolume(1000);
    QTest::mouseMove(label("volumeThumb"));
    EXPECT_EQ(label("volumeThumb")->toolTip(), "Lautstärke bei 3%");
    mixer->writes.clear();
    click("muteButton");
    EXPECT_TRUE(player().muted);
    EXPECT_EQ(flags({"unmuteButton", "muteButton"}, &QWidget::isVisible), "10");
    click("unmuteButton");
    EXPECT_FALSE(player().muted);
    EXPECT_EQ(flags({"muteButton", "unmuteButton"}, &QWidget::isVisible), "10");
    EXPECT_TRUE(mixer->writes.empty());
    EXPECT_EQ(value(), 1000);

    player().muted = true;
    click("muteButton");
    EXPECT_TRUE(label("muteButton")->isVisible());
    EXPECT_TRUE(player().muted);
}

// With no volume stored the slider starts at the speakers' level, which stays as it is, and a
// step goes on from there.
TEST_F(VolumeControlTest, WithoutAStoredVolumeTheSliderStartsAtTheSpeakersLevel) {
    mixer->answered = false;
    mixer->speakersLevel = 3277;  // 5 % of the mixer's range
    start();
    mixer->answer();
    EXPECT_EQ(value(), 1639);
    EXPECT_EQ(std::get<2>(readOut(label("volumeThumb"))), 5);
    EXPECT_TRUE(mixer->writes.empty());
    actions().volumeUp5.trigger();
    EXPECT_EQ(std::get<2>(readOut(label("volumeThumb"))), 10);
    EXPECT_EQ(mixer->writesTo(FakeMixer::kSpeakers), std::vector<long>{6530});
    EXPECT_FALSE(fileExists("settings.cfg"));
}

// A mixer that answers after start-up gets its range and the value set meanwhile.
struct LateMixer {
    long upperBound;
    int span;
    int value;  // held at the end of a shorter slider
    bool thumbMoves;
};

class LateMixerTest : public VolumeControlTest, public ::testing::WithParamInterface<LateMixer> {};

TEST_P(LateMixerTest, GetsItsRangeAndTheValueSetMeanwhile) {
    const LateMixer& late = GetParam();
    writeSettings(kStored);
    mixer->answered = false;
    mixer->speakersLevel = 60000;  // the stored volume wins
    start();
    EXPECT_EQ(program->settings().volumeSpan(), 32767);
    EXPECT_EQ(value(), 100);
    volume().nudgeToShare(0.5);
    const int thumb = label("volumeThumb")->x();
    EXPECT_EQ(value(), 16384);
    EXPECT_TRUE(mixer->writes.empty());
    EXPECT_GT(mixer->opens, 0);  // asked to open with every change

    mixer->speakers = MixerControl{FakeMixer::kSpeakers, 0, late.upperBound};
    mixer->answer();
    EXPECT_EQ(program->settings().volumeSpan(), late.span);
    EXPECT_EQ(value(), late.value);
    EXPECT_EQ(mixer->writesTo(FakeMixer::kSpeakers), std::vector<long>{2L * late.value});
    EXPECT_EQ(label("volumeThumb")->x() != thumb, late.thumbMoves);
    mixer->answer();
    EXPECT_EQ(mixer->writes.size(), 1U);
}

INSTANTIATE_TEST_SUITE_P(VolumeControlTest, LateMixerTest,
                         ::testing::Values(LateMixer{65535, 32767, 16384, false},
                                           LateMixer{2000, 1000, 1000, true}));

}  // namespace
