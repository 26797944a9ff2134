#include "app/AtomicFile.h"

#include <QSaveFile>

bool writeFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    // commit() alone misses a failed flush of the write buffer (Qt 6.4) and would put a
    // truncated file in place of the old one, so the flush is checked here.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
