#include <QFile>
#include <QPointer>
#include <QTest>

#include "fakes/ProgramFixture.h"
#include "player/Form1.h"
#include "windows/frmhelp.h"

namespace {

class HelpViewerTest : public ProgramFixture {
protected:
    void writeHelp(const QByteArray& rtf) const {
        QFile f(folder.filePath("hilfe.rtf"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(rtf);
    }
    frmhelp* help() const { return program->helpIfLoaded(); }
};

TEST_F(HelpViewerTest, F1OpensOneViewerOfTheHelpFile) {
    writeHelp(R"({\rtf1 {\b Hilfe} f\'fcr den Player})");
    start();
    program->form1().mnuhelp->trigger();
    ASSERT_NE(help(), nullptr);
    EXPECT_TRUE(help()->isVisible());
    EXPECT_EQ(help()->windowTitle(), "Hilfe zum MP3-Brambleplayer");
    EXPECT_EQ(help()->RichTextBox1->toPlainText(), "Hilfe für den Player");
    EXPECT_EQ(help()->RichTextBox1->textCursor().position(), 0);  // shown from the top
    // Centred on the 1280 x 1024 screen.
    EXPECT_EQ(help()->geometry(), QRect(320, 272, 640, 480));

    frmhelp* const first = help();
    program->form1().mnuhelp->trigger();
    EXPECT_EQ(help(), first);

    const QPointer<frmhelp> closed(help());
    help()->close();
    EXPECT_EQ(help(), nullptr);
    EXPECT_TRUE(waitUntil([&] { return closed.isNull(); }));
}

TEST_F(HelpViewerTest, TextAreaStaysSmallerThanTheWindow) {
    start();
    frmhelp& viewer = program->helpWindow();
    viewer.show();
    // 100 twips narrower and 500 lower: 6.67 and 33.33 pixels at 15 twips each.
    viewer.resize(600, 400);
    EXPECT_EQ(viewer.RichTextBox1->geometry(), QRect(0, 0, 593, 367));
    viewer.resize(5, 20);  // too small: the text area keeps its size
    EXPECT_EQ(viewer.RichTextBox1->size(), QSize(593, 367));
}

TEST_F(HelpViewerTest, MissingHelpFileGivesANote) {
    start();
    program->form1().mnuhelp->trigger();
    ASSERT_NE(help(), nullptr);
    EXPECT_TRUE(help()->RichTextBox1->toPlainText().startsWith(
        "Die Hilfedatei wurde nicht gefunden oder konnte nicht gelesen werden:"));
    EXPECT_EQ(processEnds, 0);
}

}  // namespace
