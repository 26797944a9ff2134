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

std::optional<QStringList> readListFile(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }

    QStringList records;
    qsizetype start = 0;
    while (start < data.size()) {
        const qsizetype lineFeed = data.indexOf('\n', start);
        const qsizetype end = lineFeed < 0 ? data.size() : lineFeed;
        QByteArrayView line(data.constData() + start, end - start);
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        records.append(QString::fromLocal8Bit(withoutBlanks(line)));
        start = end + 1;
    }
    return records;
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
