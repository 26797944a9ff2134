#include "formats/ListFile.h"

#include "platform/FileNames.h"
#include "platform/MessageBoxes.h"
#include "util/AtomicFile.h"
#include "util/RegularFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDir>
#include <QLocale>

namespace {

QByteArrayView withoutBlanks(QByteArrayView line) {
    while (!line.isEmpty() && line.front() == ' ') {
        line = line.sliced(1);
    }
    while (!line.isEmpty() && line.back() == ' ') {
        line.chop(1);
    }
    return line;
}

// Blanks around a record are stray, left by hand or by other programs, unless the folder's
// name itself begins or ends with them: then the line as it stands names that folder.
QString recordOf(QByteArrayView line) {
    const QByteArrayView trimmed = withoutBlanks(line);
    if (trimmed.size() != line.size()) {
        QString whole = decodeFileName(line);
        if (fileTypeOf(whole) == FileType::Folder) {
            return whole;
        }
    }
    return decodeFileName(trimmed);
}

}  // namespace

std::optional<QByteArrayView> nextLine(const QByteArray& data, bool wholeFile, qsizetype& pos) {
    const qsizetype lineFeed = data.indexOf('\n', pos);
    if (pos >= data.size() || (lineFeed < 0 && !wholeFile)) {
        return std::nullopt;
    }
    const qsizetype end = lineFeed < 0 ? data.size() : lineFeed;
    QByteArrayView line(data.constData() + pos, end - pos);
    pos = end + 1;
    if (line.endsWith('\r')) {
        line.chop(1);
    }
    return line;
}

bool storableInListFile(const QString& record) {
    return !record.contains(QLatin1Char('\n')) && !record.contains(QLatin1Char('\r')) &&
           !record.contains(QChar::Null);
}

std::optional<ListFileContents> readListFileContents(const QString& path) {
    // Nothing beyond the limit is looked at, so a huge file costs no more than a full list.
    const std::optional<FileStart> read = readRegularFile(path, kListFileMaxBytes);
    if (!read) {
        return std::nullopt;
    }
    const QByteArray& data = read->bytes;
    const bool wholeFile = read->whole;

    ListFileContents contents;
    qsizetype pos = 0;
    while (contents.records.size() < kListFileMaxRecords) {
        const std::optional<QByteArrayView> line = nextLine(data, wholeFile, pos);
        if (!line) {
            break;
        }
        ++contents.linesRead;
        if (line->size() > kListFileMaxLineBytes) {
            ++contents.overlongLines;
            continue;
        }
        contents.records.append(recordOf(*line));
    }
    contents.cutShort = pos < data.size() || !wholeFile;
    return contents;
}

std::optional<QStringList> readListFile(const QString& path) {
    if (std::optional<ListFileContents> contents = readListFileContents(path)) {
        return std::move(contents->records);
    }
    return std::nullopt;
}

bool writeListFile(const QString& path, const QStringList& records) {
    if (path.isEmpty()) {
        return false;
    }
    QByteArray bytes;
    for (const QString& record : records) {
        if (storableInListFile(record)) {
            bytes += encodeFileName(record);
            bytes += "\r\n";
        }
    }
    return writeFileAtomically(path, bytes);
}

void tellListCut(MessageBoxes& messages, const QString& path, const ListFileContents& read) {
    if (!read.lostLines()) {
        return;
    }
    const QLocale german(QLocale::German, QLocale::Germany);
    const QString file = shownFileName(QDir::toNativeSeparators(path));
    QString text;
    if (read.cutShort) {
        text =
            QStringLiteral(
                "Die Verzeichnisliste \"%1\" ist länger als erlaubt (höchstens %2 "
                "Einträge und 1 MB) und wurde nach Zeile %3 abgeschnitten.")
                .arg(file, german.toString(kListFileMaxRecords), german.toString(read.linesRead));
    }
    if (read.overlongLines > 0) {
        text += read.cutShort ? QStringLiteral(" Außerdem wurden ")
                              : QStringLiteral("In der Verzeichnisliste \"%1\" wurden ").arg(file);
        text += read.overlongLines == 1
                    ? QStringLiteral("eine Zeile übergangen, die länger als 64 KB ist.")
                    : QStringLiteral("%1 Zeilen übergangen, die länger als 64 KB sind.")
                          .arg(german.toString(read.overlongLines));
    }
    text +=
        QStringLiteral(" Was fehlt, wird beim nächsten Speichern der Liste nicht mitgeschrieben.");
    messages.show(text, QStringLiteral("Fehler"), MessageBoxes::Buttons::Ok,
                  MessageBoxes::Icon::Exclamation);
}
