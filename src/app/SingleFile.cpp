#include "app/SingleFile.h"

#include <QDir>
#include <mutex>
#include <thread>

#include "platform/FileNames.h"
#include "util/RegularFile.h"

namespace {

// How far into a file a frame header is looked for: past a little leading junk, no further.
constexpr qint64 kLookedAt = 8 * 1024;

// The four bytes of an MPEG audio frame header: the sync bits, and no field at a value the
// format reserves (version, layer, bit rate, sample rate, emphasis).
bool isFrameHeader(QByteArrayView bytes) {
    const auto byte = [&](int i) { return static_cast<unsigned char>(bytes[i]); };
    return byte(0) == 0xFF && (byte(1) & 0xE0) == 0xE0 && ((byte(1) >> 3) & 3) != 1 &&
           ((byte(1) >> 1) & 3) != 0 && (byte(2) >> 4) != 0xF && ((byte(2) >> 2) & 3) != 3 &&
           (byte(3) & 3) != 2;
}

}  // namespace

FileRefusal checkSingleFile(const QString& path) {
    // By the bytes the name stands for: Qt's file classes would lose those of a Latin-1 name.
    const FileType type = fileTypeOf(path);
    if (type == FileType::None) {
        return FileRefusal::Missing;
    }
    if (type == FileType::Folder) {
        return FileRefusal::Folder;
    }
    return type == FileType::Regular && path.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive)
               ? FileRefusal::None
               : FileRefusal::NotMp3;
}

bool looksLikeMp3(QByteArrayView start) {
    if (start.startsWith("ID3")) {
        return true;
    }
    for (qsizetype at = 0; at + 4 <= start.size(); ++at) {
        if (isFrameHeader(start.sliced(at, 4))) {
            return true;
        }
    }
    return false;
}

// Where a finished check posts its verdict; nobody once the check has gone.
struct SingleFileCheck::Mailbox {
    std::mutex mutex;
    SingleFileCheck* receiver = nullptr;
};

SingleFileCheck::SingleFileCheck(QObject* parent)
    : QObject(parent), mailbox_(std::make_shared<Mailbox>()) {
    mailbox_->receiver = this;
}

SingleFileCheck::~SingleFileCheck() {
    const std::lock_guard lock(mailbox_->mutex);
    mailbox_->receiver = nullptr;
}

void SingleFileCheck::check(const QString& path, Verdict verdict) {
    if (const FileRefusal refusal = checkSingleFile(path); refusal != FileRefusal::None) {
        verdict(refusal);
        return;
    }
    // A read that never returns holds only its own thread.
    std::thread([mailbox = mailbox_, path, verdict = std::move(verdict)]() mutable {
        const std::optional<FileStart> start = readRegularFile(path, kLookedAt);
        const FileRefusal refusal =
            start && looksLikeMp3(start->bytes) ? FileRefusal::None : FileRefusal::NotMp3;
        const std::lock_guard lock(mailbox->mutex);
        if (mailbox->receiver != nullptr) {
            QMetaObject::invokeMethod(
                mailbox->receiver, [verdict = std::move(verdict), refusal] { verdict(refusal); },
                Qt::QueuedConnection);
        }
    }).detach();
}

QString refusalText(FileRefusal refusal, const QString& path) {
    const QString shown = QDir::toNativeSeparators(shownFileName(path));
    switch (refusal) {
        case FileRefusal::Folder:
            return QStringLiteral(
                       "\"%1\" ist ein Verzeichnis. Abgespielt wird nur eine "
                       "einzelne MP3-Datei.")
                .arg(shown);
        case FileRefusal::Missing:
            return QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(shown);
        case FileRefusal::NotMp3:
            return QStringLiteral("\"%1\" ist keine MP3-Datei.").arg(shown);
        case FileRefusal::NotLocal:
            return QStringLiteral("\"%1\" ist keine Datei auf diesem Rechner.").arg(shown);
        case FileRefusal::None:
            break;
    }
    return {};
}
