#include "folders/frmopen.h"

#include <QVBoxLayout>

#include "app/Program.h"

frmopen::frmopen(Program& program) : QWidget(nullptr, Qt::Window), program_(program) {
    setObjectName(QStringLiteral("frmopen"));
    setWindowTitle(QStringLiteral("MP3 Verzeichnis einfügen"));
    auto* layout = new QVBoxLayout(this);
    lstdirs = new QListWidget(this);
    lstdirs->setObjectName(QStringLiteral("lstdirs"));
    layout->addWidget(lstdirs);
}
