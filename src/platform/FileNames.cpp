#include "platform/FileNames.h"

#include <QDir>
#include <QUrl>

#include <sys/stat.h>
#include <algorithm>

namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // + the byte, for bytes 0x80-0xFF

// The length of the well-formed UTF-8 sequence at the start of `bytes`, by its lead byte; 0 when
// there is none. Qt's check rejects overlong forms, surrogates and what lies past U+10FFFF.
qsizetype sequenceAt(QByteArrayView bytes) {
    const auto lead = static_cast<unsigned char>(bytes.front());
    const qsizetype length = lead < 0x80   ? 1
                             : lead < 0xC2 ? 0
                             : lead < 0xE0 ? 2
                             : lead < 0xF0 ? 3
                             : lead < 0xF5 ? 4
                                           : 0;
    return length > 0 && bytes.size() >= length && bytes.first(length).isValidUtf8() ? length : 0;
}

bool holdsSurrogates(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); });
}

// Walks `text`, handing runs of ordinary text to onText and each escaped byte to onByte. A low
// surrogate right after a high one is half of a pair, never an escape.
template <typename OnText, typename OnByte>
void forEachPart(const QString& text, OnText onText, OnByte onByte) {
    const QStringView view(text);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < view.size(); ++i) {
        const char16_t unit = view[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < view.size() && view[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
            onText(view.sliced(runStart, i - runStart));
            onByte(static_cast<unsigned char>(unit - kEscapeBase));
            runStart = i + 1;
        }
    }
    onText(view.sliced(runStart));
}

}  // namespace

QString decodeFileName(QByteArrayView bytes) {
    // Qt's decoder is as strict as the one below (the tests hold it to that) and much faster.
    if (bytes.isValidUtf8()) {
        return QString::fromUtf8(bytes);
    }
    QString name;
    name.reserve(bytes.size());
    while (!bytes.isEmpty()) {
        const qsizetype length = sequenceAt(bytes);
        if (length == 0) {
            name.append(QChar(kEscapeBase + static_cast<unsigned char>(bytes.front())));
            bytes = bytes.sliced(1);
            continue;
        }
        name.append(QString::fromUtf8(bytes.first(length)));
        bytes = bytes.sliced(length);
    }
    return name;
}

QByteArray encodeFileName(const QString& name) {
    if (!holdsSurrogates(name)) {
        return name.toUtf8();
    }
    QByteArray bytes;
    bytes.reserve(name.size());
    forEachPart(
        name, [&bytes](QStringView text) { bytes += text.toUtf8(); },
        [&bytes](unsigned char byte) { bytes += static_cast<char>(byte); });
    return bytes;
}

QString shownFileName(const QString& name) {
    if (!holdsSurrogates(name)) {
        return name;
    }
    QString shown;
    shown.reserve(name.size());
    forEachPart(
        name, [&shown](QStringView text) { shown += text; },
        [&shown](unsigned char byte) {
            shown += byte >= 0xA0 ? QChar(byte) : QChar(QChar::ReplacementCharacter);
        });
    return shown;
}

QString absoluteFilePath(const QString& path) {
    if (path.isEmpty()) {
        return path;
    }
    // QFileInfo would pass a path that needs cleaning through the lossy system encoding.
    return QDir::cleanPath(
        path.startsWith(QLatin1Char('/')) ? path : QDir::currentPath() + QLatin1Char('/') + path);
}

QString fileUrlOf(const QString& path) {
    // Left as they are: the characters a path of an address may hold besides the unreserved
    // ones, as QUrl writes them.
    return QStringLiteral("file://") +
           QString::fromLatin1(encodeFileName(path).toPercentEncoding("/!$&'()*+,;=:@"));
}

std::optional<QString> pathOfFileUrl(const QString& url) {
    const QUrl parsed(url);
    const QString host = parsed.host();
    if (!parsed.isValid() || parsed.scheme() != QLatin1String("file") ||
        (!host.isEmpty() && host != QLatin1String("localhost"))) {
        return std::nullopt;
    }
    // Encoded, a byte that is no UTF-8 stays the byte it stands for.
    const QByteArray bytes =
        QByteArray::fromPercentEncoding(parsed.path(QUrl::FullyEncoded).toLatin1());
    if (!bytes.startsWith('/') || bytes.contains('\0')) {
        return std::nullopt;
    }
    return decodeFileName(bytes);
}

FileType fileTypeOf(const QString& path) {
    const QByteArray native = encodeFileName(path);
    struct stat status {};
    // A NUL byte would cut the path short and name something else.
    if (native.isEmpty() || native.contains('\0') || ::stat(native.constData(), &status) != 0) {
        return FileType::None;
    }
    if (S_ISREG(status.st_mode)) {
        return FileType::Regular;
    }
    return S_ISDIR(status.st_mode) ? FileType::Folder : FileType::Other;
}
