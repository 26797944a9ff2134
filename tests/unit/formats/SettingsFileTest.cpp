#include "formats/SettingsFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace {

const VolumeRange kRange{-100, 2000};

QByteArray lines(std::initializer_list<const char*> texts) {
    QByteArray bytes;
    for (const char* text : texts) {
        bytes += QByteArray(text) + "\r\n";
    }
    return bytes;
}

// Values that all differ from the defaults, so every assignment shows; the folder's blanks, comma
// and umlauts (the locale's UTF-8 bytes) are read back as written.
const QByteArray kGoodFile =
    lines({" 0 ", " 0 ", " 1 ", " /musik/J\xc3\xb6rg, \xc3\x84lteres ", " 0 ", " 1 ", " 1234 "});

// What reading the good file gives, with the given lines (1 to 7) absent.
SettingsRead goodReadWithout(const std::set<int>& absent = {}) {
    const auto line = [&](int number, auto value) {
        return absent.contains(number) ? std::nullopt : std::optional(value);
    };
    return {line(1, 0), line(2, 0), line(3, 1),   line(4, QStringLiteral(" /musik/Jörg, Älteres ")),
            line(5, 0), line(6, 1), line(7, 1234)};
}

QByteArray goodFileWithLine(int number, const QByteArray& text) {
    QList<QByteArray> parts = kGoodFile.split('\n');
    parts[number - 1] = text + '\r';
    return parts.join('\n');
}

TEST(SettingsFormat, WritesSevenCrLfLinesWithSignColumnAndFolderUnchanged) {
    EXPECT_EQ(formatSettings(Settings{}),
              QByteArray(" 1 \r\n 1 \r\n 0 \r\n\r\n 1 \r\n 0 \r\n 0 \r\n"));

    const Settings negativeVolume{0, 1, 1, QString(), 0, 1, -5};
    EXPECT_EQ(formatSettings(negativeVolume),
              QByteArray(" 0 \r\n 1 \r\n 1 \r\n\r\n 0 \r\n 1 \r\n-5 \r\n"));

    // Comma and blanks stay as typed; umlauts are the locale's (UTF-8) bytes.
    const Settings folder{1, 0, 0, QStringLiteral(" /home/jörg/Musik, Älteres "), 1, 0, 32767};
    EXPECT_EQ(formatSettings(folder),
              QByteArray(" 1 \r\n 0 \r\n 0 \r\n /home/j\xc3\xb6rg/Musik, \xc3\x84lteres \r\n"
                         " 1 \r\n 0 \r\n 32767 \r\n"));

    // A folder that cannot be one line is left empty and keeps the other lines in place.
    for (const QString& unstorable : {QStringLiteral("/a\nb"), QStringLiteral("/a\r\nb"),
                                      QStringLiteral("/a") + QChar::Null + QStringLiteral("b")}) {
        EXPECT_EQ(formatSettings({1, 1, 0, unstorable, 1, 0, 0}), formatSettings(Settings{}));
    }
}

// Each line is read on its own: a bad one is passed over, and the lines after it still count.
TEST(SettingsFileTest, ReadsTolerantlyAndPassesOverABadLine) {
    const QTemporaryDir dir;
    const QString path = dir.filePath("settings.cfg");
    struct Case {
        const char* what;
        std::optional<QByteArray> bytes;  // nothing: no file at all
        std::set<int> skippedLines;       // lines passed over
    };
    const std::set<int> all = {1, 2, 3, 4, 5, 6, 7};
    const std::vector<Case> cases = {
        // Read as the good file.
        {"bare LF, lines after the seventh",
         QByteArray(kGoodFile + "x\r\n").replace("\r\n", "\n"),
         {}},
        {"blanks, leading zeros and minus zero",
         lines({"00", "\t-0\t", "   001", " /musik/J\xc3\xb6rg, \xc3\x84lteres ", "0     ",
                " \t 1 ", "01234"}),
         {}},
        {"last line without line end", kGoodFile.chopped(2), {}},
        {"missing file", std::nullopt, all},
        {"six lines", kGoodFile.first(kGoodFile.lastIndexOf(" 1234 ")), {7}},
        {"garbled line 1", goodFileWithLine(1, "x1"), {1}},
        {"a fraction", goodFileWithLine(3, " 1.5 "), {3}},
        {"check box value 2", goodFileWithLine(5, " 2 "), {5}},
        {"beyond 16 bits", goodFileWithLine(2, " 65537 "), {2}},
        {"volume above the slider", goodFileWithLine(7, " 2001 "), {7}},
        {"volume below the slider", goodFileWithLine(7, "-101 "), {7}},
        {"over-long folder", goodFileWithLine(4, QByteArray(64 * 1024 + 1, 'a')), {4}},
        {"NUL byte in the folder", goodFileWithLine(4, QByteArray("/mu\0sik", 7)), {4}},
        // What follows a line that alone fills what seven lines may take is never reached.
        {"line filling the read",
         lines({" 0 ", " 0 ", " 1 "}) + QByteArray(qsizetype{8} * 64 * 1024, 'a') + "\r\n" +
             lines({" 0 ", " 1 ", " 1234 "}),
         {4, 5, 6, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile file(path);
        file.remove();
        if (c.bytes) {
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            ASSERT_EQ(file.write(*c.bytes), c.bytes->size());
            file.close();
        }
        EXPECT_EQ(readSettings(path, kRange), goodReadWithout(c.skippedLines));
        // Reading never creates the file.
        EXPECT_EQ(QFile::exists(path), c.bytes.has_value());
    }
}

}  // namespace
