#include <QPointer>
#include <QTextDocument>

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
    HelpWindow* help() const { return program->helpIfLoaded(); }
};

TEST_F(HelpWindowTest, F1OpensOneViewerOfARegularFileOfAtMost4MbElseANoteNamesIt) {
    writeHelp(R"({\rtf1 {\b Hilfe} f\'fcr den Player})");
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
    const QPointer<HelpWindow> closed(help());
    QTest::keyClick(help()->helpText, Qt::Key_Escape);
    EXPECT_EQ(help(), nullptr);
    EXPECT_TRUE(waitUntil([&] { return closed.isNull(); }));

    // Only a regular file of at most 4 MB is read: a FIFO would block the open. Anything else
    // gives the note naming the file.
    const QString path = folder.filePath("hilfe.rtf");
    const QByteArray native = QFile::encodeName(path);
    // 4 MB that show only "Hilfe": the reader passes over the destination.
    const auto sized = [this](qint64 size) {
        const QByteArray head = "{\\rtf1 Hilfe{\\*\\x ";
        writeHelp(head + QByteArray(size - head.size() - 2, 'a') + "}}");
    };
    struct Case {
        const char* what;
        std::function<void()> make;
        QString shown;  // without line breaks; none: the note
        int paragraphs;
    };
    const Case cases[] = {
        {"missing", [] {}, {}, 0},
        {"4 MB", [&] { sized(4 << 20); }, "Hilfe", 1},
        {"one byte more", [&] { sized((4 << 20) + 1); }, {}, 0},
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(native.constData(), 0600), 0); }, {}, 0},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(native.toStdString());
        c.make();
        actions().help.trigger();
        ASSERT_NE(help(), nullptr) << c.what;
        const QTextDocument& document = *help()->helpText->document();
        const QString shown = document.toPlainText();
        if (!c.shown.isEmpty()) {
            EXPECT_EQ(QString(shown).remove('\n'), c.shown) << c.what;
            EXPECT_EQ(document.blockCount(), c.paragraphs) << c.what;
        } else {
            EXPECT_TRUE(
                shown.startsWith("Die Hilfedatei wurde nicht gefunden oder konnte nicht "
                                 "gelesen werden:\n" +
                                 path + "\n"))
                << c.what << ": " << shown.left(200).toStdString();
        }
        help()->close();
    }
    EXPECT_EQ(processEnds, 0);
}

}  // namespace
