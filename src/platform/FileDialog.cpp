#include "platform/FileDialog.h"

#include <QFileInfo>

QString FileDialog::fileTitle() const {
    return fileName.isEmpty() ? QString() : QFileInfo(fileName).fileName();
}
