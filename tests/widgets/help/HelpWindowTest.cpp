#include <QPointer>
#include <QTextDocument>

#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <functional>

#include "fakes/ProgramFixture.h"
#include "help/HelpWindow.h"

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
    EXPECT_EQ(help()->windowTitle(), "Hilfe zum MP3-Brambleplayer");
    EXPECT_EQ(help()->helpText->toPlainText(), "Hilfe für den Player");
    EXPECT_EQ(help()->helpText->textCursor().position(), 0);  // shown from the top
    // A screen reader finds a read-only document.
    const QAccessibleInterface* text = QAccessible::queryAccessibleInterface(help()->helpText);
    EXPECT_EQ(text->role(), QAccessible::EditableText);
    EXPECT_TRUE(text->state().readOnly);
    EXPECT_EQ(text->text(QAccessible::Name), "Hilfetext");
    EXPECT_EQ(help()->geometry(), QRect(320, 272, 640, 480));
    // The text area stays 100 twips narrower and 500 lower: 6.67 and 33.33 pixels.
    help()->resize(600, 400);
    EXPECT_EQ(help()->helpText->geometry(), QRect(0, 0, 593, 367));
    help()->resize(5, 20);  // too small: the text area keeps its size
    EXPECT_EQ(help()->helpText->size(), QSize(593, 367));

    HelpWindow* const first = help();
    item("helpItem")->trigger();
    EXPECT_EQ(help(), first);

    // Escape closes it as the close box does; the focus is back where F1 was pressed, marked.
    const QPointer<HelpWindow> closed(help());
    ASSERT_TRUE(activate(*help()));
    QTest::keyClick(help()->helpText, Qt::Key_Escape);
    EXPECT_EQ(help(), nullptr);
    EXPECT_TRUE(waitUntil([&] { return closed.isNull(); }));
    EXPECT_TRUE(waitUntil([search] { return search->showsFocusMark(); }));

    // Only a regular file of at most 4 MB is read: a FIFO would block the open, /dev/zero never
    // ends. Anything else gives the note naming the file; a long paragraph shows in pieces.
    const QString path = folder.filePath("hilfe.rtf");
    const QByteArray native = QFile::encodeName(path);
    // The reader passes over the destination: the file shows only "Hilfe".
    const auto sized = [this](qint64 size) {
        const QByteArray head = "{\\rtf1 Hilfe{\\*\\x ";
        writeHelp(head + QByteArray(size - head.size() - 2, 'a') + "}}");
    };
    const QByteArray words = QByteArray("Wort ").repeated(4800);
    struct Case {
        const char* what;
        std::function<void()> make;
        QString shown;  // without line breaks; none: the note
        int paragraphs;
    };
    const Case cases[] = {
        {"4 MB", [&] { sized(HelpWindow::kLargestFile); }, "Hilfe", 1},
        {"a long paragraph", [&] { writeHelp("{\\rtf1 " + words + "}"); }, words, 3},
        {"missing", [] {}, {}, 0},
        {"one byte more", [&] { sized(HelpWindow::kLargestFile + 1); }, {}, 0},
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(native.constData(), 0600), 0); }, {}, 0},
        {"a link to /dev/zero",
         [&] { ASSERT_EQ(::symlink("/dev/zero", native.constData()), 0); },
         {},
         0},
        {"a folder", [&] { ASSERT_TRUE(QDir().mkdir(path)); }, {}, 0},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(native.toStdString());
        c.make();
        item("helpItem")->trigger();
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
