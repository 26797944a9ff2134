#include "playlist/ListFile.h"

#include "app/AtomicFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>

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

bool storableAsLine(const QString& record) {
    return !record.contains(QLatin1Char('\n')) && !record.contains(QLatin1Char('\r')) &&
           !record.contains(QChar::Null);
}

}  // namespace

std::optional<ListFileContents> readListFileContents(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    // Nothing beyond the limit is looked at, so a huge file costs no more than a full list.
    const QByteArray data = file.read(kListFileMaxBytes);
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    const bool wholeFile = file.atEnd();

    ListFileContents contents;
    qsizetype start = 0;
    while (start < data.size() && contents.records.size() < kListFileMaxRecords) {
        const qsizetype lineFeed = data.indexOf('\n', start);
        if (lineFeed < 0 && !wholeFile) {
            break;  // the line goes on beyond the limit
        }
        const qsizetype end = lineFeed < 0 ? data.size() : lineFeed;
        QByteArrayView line(data.constData() + start, end - start);
        start = end + 1;
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        if (line.size() > kListFileMaxLineBytes) {
            ++contents.overlongLines;
            continue;
        }
        contents.records.append(QString::fromLocal8Bit(withoutBlanks(line)));
    }
    contents.cutShort = start < data.size() || !wholeFile;
    return contents;
}

std::optional<QStringList> readListFile(const QString& path) {
    std::optional<ListFileContents> contents = readListFileContents(path);
    if (!contents) {
        return std::nullopt;
    }
    return std::move(contents->records);
}

bool writeListFile(const QString& path, const QStringList& records) {
    if (path.isEmpty()) {
        return false;
    }
    QByteArray bytes;
    for (const QString& record : records) {
        if (storableAsLine(record)) {
            bytes += record.toLocal8Bit();
            bytes += "\r\n";
        }
    }
    return writeFileAtomically(path, bytes);
}
