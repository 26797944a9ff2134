#pragma once

#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "platform/FileRefusal.h"

// A single MP3 file handed to the player from outside: on its command line, by a second start
// or by the desktop's media controls. It is played as a file chosen with "Open", if it is one:
// a regular file (or a link to one) whose name ends in ".mp3" in any case, as the scanner
// takes them, and whose content begins as an MP3 file does.

// What the name and the kind of file tell, without opening it.
FileRefusal checkSingleFile(const QString& path);

// Whether the first bytes of a file are those of an MP3 file: an ID3v2 tag, or an MPEG audio
// frame header near the start.
bool looksLikeMp3(QByteArrayView start);

// Checks files handed from outside: the name at once, the content away from the GUI thread,
// since a file may lie on a slow or dead mount. Each verdict comes back on the GUI thread, at
// once where the name already refuses the file; none once this object has gone.
class SingleFileCheck : public QObject {
public:
    using Verdict = std::function<void(FileRefusal)>;

    explicit SingleFileCheck(QObject* parent = nullptr);
    ~SingleFileCheck() override;
    SingleFileCheck(const SingleFileCheck&) = delete;
    SingleFileCheck& operator=(const SingleFileCheck&) = delete;

    void check(const QString& path, Verdict verdict);

private:
    struct Mailbox;
    std::shared_ptr<Mailbox> mailbox_;
};

// What the user is told of a refused file, in German.
QString refusalText(FileRefusal refusal, const QString& path);
