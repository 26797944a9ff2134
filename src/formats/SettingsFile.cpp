#include "formats/SettingsFile.h"

#include "formats/ListFile.h"
#include "platform/FileNames.h"
#include "util/RegularFile.h"

#include <array>
#include <charconv>
#include <cstdint>

namespace {

constexpr int kLineCount = 7;
constexpr int kFolderLine = 3;  // index of the text line; every other line holds a number
constexpr int kVolumeLine = 6;

// Far beyond any folder path (PATH_MAX is 4096): a longer line is not a settings line.
constexpr qsizetype kMaxLineBytes = qsizetype{64} * 1024;
// Seven lines of the longest accepted length with their CR LF: nothing beyond is looked at,
// so a huge file costs no more than a full settings file could.
constexpr qint64 kMaxReadBytes = kLineCount * (kMaxLineBytes + 2);

QByteArray numberLine(int value) {
    // A space stands where a minus sign would be.
    return (value >= 0 ? QByteArray(" ") : QByteArray()) + QByteArray::number(value) + " \r\n";
}

// A number alone on its line, blanks around it allowed, from `low` to `high`.
std::optional<int> toNumber(const QByteArray& line, int low, int high) {
    const QByteArray digits = line.trimmed();
    std::int16_t value = 0;
    const char* const first = digits.constData();
    const char* const last = first + digits.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (digits.isEmpty() || error != std::errc() || end != last || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

std::optional<QString> toFolder(const QByteArray& line) {
    if (line.contains('\0')) {
        return std::nullopt;
    }
    // Kept byte for byte, like the folder lists: a Latin-1 name survives every rewrite.
    return decodeFileName(line);
}

}  // namespace

QByteArray formatSettings(const Settings& settings) {
    QByteArray bytes;
    bytes += numberLine(settings.showPlaylistAtStart);
    bytes += numberLine(settings.enlargePlaylistAtStart);
    bytes += numberLine(settings.confirmExit);
    // A folder name holding a line break would shift every later value onto the wrong line, and
    // no path holds a NUL byte: such a folder cannot be stored, so its line is left empty.
    if (storableInListFile(settings.standardFolder)) {
        bytes += encodeFileName(settings.standardFolder);
    }
    bytes += "\r\n";
    bytes += numberLine(settings.popupAtTrackChange);
    bytes += numberLine(settings.keepPopupOpen);
    bytes += numberLine(settings.volume);
    return bytes;
}

SettingsRead readSettings(const QString& path, VolumeRange volumeRange) {
    // Only a regular file: opening a FIFO would block, and a device may never end.
    const std::optional<FileStart> file = readRegularFile(path, kMaxReadBytes);
    if (!file) {
        return {};
    }
    const QByteArray& data = file->bytes;
    const bool wholeFile = file->whole;

    std::array<std::optional<int>, kLineCount> numbers;
    std::optional<QString> folder;
    qsizetype pos = 0;
    for (int index = 0; index < kLineCount; ++index) {
        const std::optional<QByteArrayView> line = nextLine(data, wholeFile, pos);
        if (!line || line->size() > kMaxLineBytes) {
            continue;
        }
        const QByteArray text = line->toByteArray();
        if (index == kFolderLine) {
            folder = toFolder(text);
        } else {
            // A check box's line holds 0 or 1.
            numbers.at(index) = index == kVolumeLine
                                    ? toNumber(text, volumeRange.low, volumeRange.high)
                                    : toNumber(text, 0, 1);
        }
    }

    SettingsRead read;
    read.showPlaylistAtStart = numbers[0];
    read.enlargePlaylistAtStart = numbers[1];
    read.confirmExit = numbers[2];
    read.standardFolder = folder;
    read.popupAtTrackChange = numbers[4];
    read.keepPopupOpen = numbers[5];
    read.volume = numbers[kVolumeLine];
    return read;
}

QString settingsPath(const QString& programFolder) {
    return programFolder + QStringLiteral("/settings.cfg");
}
