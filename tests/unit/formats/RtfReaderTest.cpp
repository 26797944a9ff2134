#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>
#include <memory>

#include "formats/RtfReader.h"

namespace {

std::unique_ptr<QTextDocument> read(const QByteArray& rtf) {
    auto document = std::make_unique<QTextDocument>();
    readRtf(rtf, *document);
    return document;
}

TEST(RtfReaderTest, ParagraphsAndCharactersOfTheTextOnly) {
    const auto doc = read(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Tahoma;}}"
        "{\\*\\generator Writer 1.0;}{\\info{\\title Titel}}"
        "Eins\\par\r\nZw\r\nei\\line drei\\tab vier\\par "
        "Gr\\'FC\\'dfe \\'80 \\u8364? \\uc2\\u8212 xy\\uc0\\u-10179\\u-8704 .\\par "
        "\\{a\\}\\\\b\\~c\\emdash\\endash\\bullet\\ldblquote\\rdblquote}");
    EXPECT_EQ(doc->blockCount(), 4);
    EXPECT_EQ(doc->findBlockByNumber(0).text(), "Eins");
    EXPECT_EQ(doc->findBlockByNumber(1).text(), QStringLiteral("Zwei\u2028drei\tvier"));
    EXPECT_EQ(doc->findBlockByNumber(2).text(), QStringLiteral("Grüße € € —😀."));
    EXPECT_EQ(doc->findBlockByNumber(3).text(), QStringLiteral("{a}\\b\u00A0c—–•“”"));
}

TEST(RtfReaderTest, MalformedInputReadsWhatItCanWithoutFailing) {
    const std::pair<QByteArray, QString> cases[] = {
        {"{\\rtf1 abc{\\b def", "abcdef"},
        {"{\\rtf1 a}}}b", "ab"},
        {"{\\rtf1 x\\'4", "x"},
        {"{\\rtf1 x\\'zzy}", "xzzy"},
        {"{\\rtf1 x\\", "x"},
        {"{\\rtf1 \\u x}", "x"},
        {"{\\rtf1 \\u99999?x}", "x"},
        {"{\\rtf1\\fs99999999999999999999 a\\li-99999999999 b}", "ab"},
        {"{\\rtf1 a\\bin999999 {}}", "a"},
        {"{\\rtf1 a{\\*", "a"},
        {"{\\rtf1 " + QByteArray(100000, '{') + "tief" + QByteArray(100000, '}') + "}", "tief"},
        {"Nur Text\nzweite Zeile", "Nur Text\nzweite Zeile"},
    };
    for (const auto& [rtf, text] : cases) {
        EXPECT_EQ(read(rtf)->toPlainText(), text) << rtf.left(60).toStdString();
    }
}

// The help shipped with the player: every escape understood, nothing of RTF left in the text.
TEST(RtfReaderTest, ShippedHelpReadsCleanly) {
    QFile file(QStringLiteral(BRAMBLE_FIXTURES "/../../resources/hilfe.rtf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto doc = read(file.readAll());
    const QString text = doc->toPlainText();
    for (const QChar junk : {QChar('\\'), QChar('{'), QChar('}'), QChar(0xFFFD)}) {
        EXPECT_FALSE(text.contains(junk)) << static_cast<int>(junk.unicode());
    }
    // The headings, and what the player does where it is easily told wrong.
    for (const char* said :
         {"Das Hauptfenster", "Die Playlist", "Die Verzeichnisliste", "Playlist-Dateien (.mpc)",
          "Titel suchen", "Datei-Informationen", "Optionen", "Das Symbol im Infobereich",
          "Schaltflächenleiste", "gilt trotzdem für diesen Programmlauf",
          "Save, Verz. laden und „Ja“ bei Verz.löschen beginnen im Verzeichnis „Playlist“",
          "Verz. speichern und „Ja“ bei Clear im Verzeichnis des Programms selbst",
          "ebenso die Taste F2 im Hauptfenster und in der Playlist"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(said))) << said;
    }
    EXPECT_FALSE(text.contains("wieder hergestellt"));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
