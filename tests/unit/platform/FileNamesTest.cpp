#include "platform/FileNames.h"

#include <gtest/gtest.h>

// Every string of bytes comes back exactly; valid UTF-8 reads as Qt reads it, and only what is
// not valid UTF-8 is held as escapes.
TEST(FileNames, EveryByteStringComesBackExactly) {
    struct Case {
        const char* what;
        QByteArray bytes;
        bool utf8;
    };
    const Case cases[] = {
        {"ASCII", "/musik/a b", true},
        {"UTF-8 umlauts and a four-byte character", "/Gr\xc3\xbc\xc3\x9f\x65/\xf0\x9f\x8e\xb5",
         true},
        {"Latin-1", "/M\xf6tley Cr\xfc\x65", false},
        {"a sequence cut short", "a\xc3", false},
        {"an overlong slash", "\xc0\xaf", false},
        {"an encoded surrogate", "\xed\xa0\x80", false},
        {"beyond U+10FFFF", "\xf4\x90\x80\x80", false},
        {"an escape's own UTF-8 form", "\xed\xb3\xb6", false},
        {"a NUL byte", QByteArray("a\0b", 3), true},
    };
    for (const Case& c : cases) {
        const QString name = decodeFileName(c.bytes);
        EXPECT_EQ(encodeFileName(name), c.bytes) << c.what;
        EXPECT_EQ(name == QString::fromUtf8(c.bytes), c.utf8) << c.what;
    }
    EXPECT_EQ(shownFileName(decodeFileName("/M\xf6tley\x85")), QString::fromUtf8("/Mötley\uFFFD"));
    EXPECT_EQ(absoluteFilePath(QStringLiteral("/a//b/./c/../") + decodeFileName("\xe9")),
              QStringLiteral("/a/b/") + decodeFileName("\xe9"));
}

// An address carries the name's bytes, encoded where they are no plain ASCII, and leads back to
// the same name; only a local file's address has a path.
TEST(FileNames, FileAddressesCarryTheBytesOfTheName) {
    const QString name = decodeFileName("/M\xe4rchen/50% #1.mp3");
    EXPECT_EQ(fileUrlOf(name), "file:///M%E4rchen/50%25%20%231.mp3");
    EXPECT_EQ(pathOfFileUrl(fileUrlOf(name)), name);
    EXPECT_EQ(pathOfFileUrl("file://localhost/Gr%C3%BC%C3%9Fe.mp3"),
              QString::fromUtf8("/Grüße.mp3"));
    for (const char* other :
         {"http://example.org/a.mp3", "file://elsewhere/a.mp3", "a.mp3", "file:///a%00b.mp3"}) {
        EXPECT_EQ(pathOfFileUrl(QString::fromLatin1(other)), std::nullopt) << other;
    }
}
