#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <functional>

#include "fakes/ProgramFixture.h"
#include "help/HelpWindow.h"
#include "widgets/AccessibleTree.h"

namespace {

class HelpWindowTest : public ProgramFixture {
protected:
    void writeHelp(const QByteArray& rtf) const { writeFile("hilfe.rtf", rtf); }
    HelpWindow* help() const { return program->help.get(); }
};

TEST_F(HelpWindowTest, F1OpensOneViewerOfARegularFileOfAtMost4MbElseANoteNamesIt) {
    // Exactly 4 MB, the most that is read: the reader passes over the padding's destination.
    const QByteArray rtf = R"({\rtf1 {\b Hilfe} f\'fcr den Player{\*\x )";
    writeHelp(rtf + QByteArray((4 << 20) - rtf.size() - 2, 'a') + "}}");
    start();
    ASSERT_TRUE(activate(mainWindow()));
    SkinLabel* search = label("searchButton");
    search->setFocus(Qt::TabFocusReason);
    QTest::keyClick(search, Qt::Key_F1);
    ASSERT_NE(help(), nullptr);
    EXPECT_TRUE(help()->isVisible());
    EXPECT_EQ(accessibleTree(*help()), R"(Window Hilfe zum MP3-Brambleplayer 320,272 640x480
EditableText Hilfetext 0,0 633x447)");
    EXPECT_EQ(help()->helpText->toPlainText(), "Hilfe für den Player");
    EXPECT_EQ(help()->helpText->textCursor().position(), 0);  // shown from the top

    HelpWindow* const first = help();
    actions().help.trigger();
    EXPECT_EQ(help(), first);

    // Escape closes it as the close box does.
    QTest::keyClick(help()->helpText, Qt::Key_Escape);
    EXPECT_EQ(help(), nullptr);

    // Only a regular file of at most 4 MB is read: a FIFO would block the open. Anything else
    // gives the note naming the file.
    const QString path = folder.filePath("hilfe.rtf");
    const QByteArray native = QFile::encodeName(path);
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"missing", [] {}},
        {"a byte more", [&] { writeHelp("{\\rtf1 " + QByteArray((4 << 20) - 7, 'a') + "}"); }},
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(native.constData(), 0600), 0); }},
    };
    for (const auto& [what, make] : cases) {
        std::filesystem::remove_all(native.toStdString());
        make();
        actions().help.trigger();
        ASSERT_NE(help(), nullptr) << what;
        const QString shown = help()->helpText->toPlainText();
        EXPECT_TRUE(
            shown.startsWith("Die Hilfedatei wurde nicht gefunden oder konnte nicht "
                             "gelesen werden:\n" +
                             path + "\n"))
            << what << ": " << shown.left(200).toStdString();
        help()->close();
    }
    EXPECT_EQ(processEnds, 0);
}

}  // namespace
