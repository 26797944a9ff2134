#pragma once

#include <QImageReader>
#include <QPixmap>
#include <QString>

namespace skinimages {

// One of the skin's XPM images. Read as XPM and nothing else: a reader left to guess the format
// loads every image plugin installed to ask it, which a start has no time for.
inline QPixmap xpm(const QString& resource) {
    QImageReader reader(resource, "XPM");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

}  // namespace skinimages
