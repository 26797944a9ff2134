#include "fakes/ProgramFixture.h"

namespace {

using Answer = MessageBoxes::Answer;

class ExitTest : public ProgramFixture {
protected:
    void startWithConfirmation(bool on) {
        writeSettings({" 1 ", " 1 ", on ? " 1 " : " 0 ", "", " 1 ", " 0 ", " 0 "});
        settingsBefore = readFile("settings.cfg");
        start();
    }
    QByteArray settingsBefore;
};

TEST_F(ExitTest, WithoutConfirmationEveryExitEndsAtOnceAndTakesPlayersIconAndWindowsAlong) {
    startWithConfirmation(false);
    ASSERT_TRUE(tray->added);
    click("closeButton");
    EXPECT_EQ(processEnds, 1);
    EXPECT_EQ(mainWindow().player(), nullptr);
    EXPECT_EQ(mainWindow().infoPlayer(), nullptr);
    EXPECT_FALSE(tray->added);
    click("exitButton");
    actions().exit.trigger();
    mainWindow().close();
    EXPECT_EQ(processEnds, 4);
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_EQ(readFile("settings.cfg"), settingsBefore);
}

// The box runs the event loop: another exit meanwhile raises it, a close is refused.
TEST_F(ExitTest, TheQuestionIsAskedOnceAtATimeAndItsAnswerDecides) {
    startWithConfirmation(true);
    messages->whileOpen = [&] {
        actions().exit.trigger();
        EXPECT_FALSE(mainWindow().close());
    };
    messages->answers = {Answer::No};
    click("closeButton");
    ASSERT_EQ(messages->told(),
              QStringList({"Programm beenden: Soll das Programm beendet werden ?"}));
    EXPECT_EQ(messages->shown[0].buttons, MessageBoxes::Buttons::YesNo);
    EXPECT_EQ(messages->shown[0].icon, MessageBoxes::Icon::Critical);
    EXPECT_EQ(messages->raises, 2);
    EXPECT_EQ(processEnds, 0);
    EXPECT_TRUE(mainWindow().isVisible());
    EXPECT_NE(mainWindow().player(), nullptr);
    EXPECT_TRUE(tray->added);

    messages->answers = {Answer::Yes};
    mainWindow().close();
    EXPECT_EQ(messages->shown.size(), 2U);
    EXPECT_EQ(processEnds, 1);
    messages->answers = {Answer::Yes};
    actions().exit.trigger();
    EXPECT_EQ(messages->shown.size(), 3U);
    EXPECT_EQ(processEnds, 2);
    EXPECT_EQ(readFile("settings.cfg"), settingsBefore);
}

}  // namespace
