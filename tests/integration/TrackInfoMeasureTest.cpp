#include <QTest>

#include "RealPlayersFixture.h"
#include "app/Module1.h"
#include "player/Form1.h"
#include "playlist/dateiinfo.h"
#include "playlist/playlist.h"

namespace {

// The track information measures a file with the main window's second real player while the
// first one plays on.
class TrackInfoMeasureTest : public RealPlayersFixture {};

TEST_F(TrackInfoMeasureTest, MeasuresAFileWhilePlaybackGoesOnWithoutAPause) {
    QString noSink;
    const QString monitor = SinkRecorder::nullSinkMonitor(&noSink);
    SinkRecorder recorder;
    ASSERT_TRUE(monitor.isEmpty() || (recorder.start(monitor) && recorder.waitUntilRecording()));

    writeSettings({" 1 ", " 0 ", " 0 ", "", " 0 ", " 0 ", " 0 "});
    start();
    program->store.fill({{"550", longTone550()}, {"440", tone440()}, {"kaputt", notAudio()}},
                        {1, 2, 3});
    plaction(*program, "showpl");
    playlist& pl = program->playlistWindow();
    MediaPlayer& main = *program->form1().player();
    MediaPlayer& forInfo = *program->form1().infoPlayer();
    pl.setListIndex(0);
    pl.List1_DblClick();
    ASSERT_TRUE(waitUntil([&] { return main.currentPosition() > 0.5; }));

    // Read at once, the length would still be 0: the window waits for the file to open.
    pl.setListIndex(1);
    pl.mnutrackinfo->trigger();
    dateiinfo& info = program->dateiinfoWindow();
    EXPECT_EQ(info.Text1->text(), tone440());
    ASSERT_TRUE(waitUntil([&] { return !info.Label3->text().isEmpty(); }));
    EXPECT_NEAR(forInfo.duration(), 1.0, 0.1);
    EXPECT_EQ(info.Label3->text(), "0:01 Minuten");
    EXPECT_NE(forInfo.playState(), MediaPlayer::kPlaying);
    EXPECT_EQ(main.playState(), MediaPlayer::kPlaying);
    EXPECT_EQ(main.fileName(), longTone550());

    // A file that is no sound at all measures 0.
    info.close();
    pl.setListIndex(2);
    pl.mnutrackinfo->trigger();
    ASSERT_TRUE(waitUntil([&] { return !program->dateiinfoWindow().Label3->text().isEmpty(); }));
    EXPECT_EQ(program->dateiinfoWindow().Label3->text(), "0:00 Minuten");

    if (monitor.isEmpty()) {
        GTEST_SKIP() << "what is heard was not checked: " << noSink.toStdString();
    }
    // Only the main tone is listened to: nothing follows it.
    QObject::disconnect(&main, &MediaPlayer::endOfStream, nullptr, nullptr);
    main.setNextFileName({});
    ASSERT_TRUE(recorder.waitForSoundThenQuiet());
    const std::vector<ToneRun> runs = toneRuns(recorder.samples());
    ASSERT_EQ(runs.size(), 1U);
    EXPECT_NEAR(runs[0].frequency, 550.0, 30.0);
    EXPECT_NEAR(runs[0].seconds, 4.0, 0.15);
    EXPECT_LT(longestGapInSound(recorder.samples()), 0.005);
}

}  // namespace
