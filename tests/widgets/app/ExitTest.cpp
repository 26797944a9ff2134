#include <QCloseEvent>
#include <QTest>

#include "fakes/ProgramFixture.h"
#include "player/Form1.h"

namespace {

using Answer = MessageBoxes::Answer;

class ExitTest : public ProgramFixture {
protected:
    void startWithConfirmation(bool on) {
        writeSettings({" 1 ", " 1 ", on ? " 1 " : " 0 ", "", " 1 ", " 0 ", " 0 "});
        settingsBefore = readFile("settings.cfg");
        start();
    }
    void clickX() { click("Label9"); }

    QByteArray settingsBefore;
};

TEST_F(ExitTest, WithoutConfirmationEveryExitEndsAtOnce) {
    startWithConfirmation(false);
    Form1& form = program->form1();
    clickX();
    click("Label8");
    item("mnuexit2")->trigger();
    EXPECT_EQ(processEnds, 3);
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_EQ(readFile("settings.cfg"), settingsBefore);
}

TEST_F(ExitTest, PlayersAndTheTrayIconAreGoneWhenTheProcessEnds) {
    startWithConfirmation(false);
    ASSERT_TRUE(tray->added);
    clickX();
    EXPECT_EQ(processEnds, 1);
    EXPECT_EQ(form1().MediaPlayer1, nullptr);
    EXPECT_EQ(form1().forInfo, nullptr);
    EXPECT_FALSE(tray->added);
}

TEST_F(ExitTest, QuestionAnsweredNoKeepsThePlayerRunning) {
    startWithConfirmation(true);
    messages->answers = {Answer::No};
    clickX();
    EXPECT_EQ(processEnds, 0);
    ASSERT_EQ(messages->shown.size(), 1U);
    const auto& box = messages->shown[0];
    EXPECT_EQ(box.text, "Soll das Programm beendet werden ?");
    EXPECT_EQ(box.title, "Programm beenden");
    EXPECT_EQ(box.buttons, MessageBoxes::Buttons::YesNo);
    EXPECT_EQ(box.icon, MessageBoxes::Icon::Critical);
    EXPECT_TRUE(form1().isVisible());
    EXPECT_NE(form1().MediaPlayer1, nullptr);
    EXPECT_TRUE(tray->added);
}

TEST_F(ExitTest, QuestionAnsweredYesEndsWithoutSaving) {
    startWithConfirmation(true);
    messages->answers = {Answer::Yes};
    item("mnuexit2")->trigger();
    EXPECT_EQ(processEnds, 1);
    EXPECT_EQ(readFile("settings.cfg"), settingsBefore);
}

TEST_F(ExitTest, CloseRequestFollowsTheAnswer) {
    startWithConfirmation(true);
    Form1& form = program->form1();
    messages->answers = {Answer::No};
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(processEnds, 0);

    messages->answers = {Answer::Yes};
    form.close();
    EXPECT_EQ(processEnds, 1);
    EXPECT_EQ(messages->shown.size(), 2U);
}

// The question's box runs the event loop: another exit command meanwhile brings it to the
// front, and a close request then is refused, instead of asking a second time.
TEST_F(ExitTest, TheQuestionIsAskedOnceAtATime) {
    startWithConfirmation(true);
    Form1& form = program->form1();
    messages->whileOpen = [&] {
        item("mnuexit2")->trigger();
        EXPECT_FALSE(form.close());
    };
    messages->answers = {Answer::No};
    clickX();
    EXPECT_EQ(messages->shown.size(), 1U);
    EXPECT_EQ(messages->raises, 2);
    EXPECT_EQ(processEnds, 0);

    // Once answered, the next exit command asks again.
    messages->answers = {Answer::Yes};
    item("mnuexit2")->trigger();
    EXPECT_EQ(messages->shown.size(), 2U);
    EXPECT_EQ(processEnds, 1);
}

TEST_F(ExitTest, CloseRequestWithoutConfirmationAsksNothing) {
    startWithConfirmation(false);
    form1().close();
    EXPECT_EQ(processEnds, 1);
    EXPECT_TRUE(messages->shown.empty());
}

}  // namespace
