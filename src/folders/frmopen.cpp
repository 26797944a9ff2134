#include "folders/frmopen.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QVBoxLayout>

#include "app/Program.h"
#include "player/Form1.h"
#include "playlist/playlist.h"

frmopen::frmopen(Program& program) : QWidget(nullptr, Qt::Window), program_(program) {
    setObjectName(QStringLiteral("frmopen"));
    setWindowTitle(QStringLiteral("MP3 Verzeichnis einfügen"));
    auto* layout = new QVBoxLayout(this);
    lstdirs = new QListWidget(this);
    lstdirs->setObjectName(QStringLiteral("lstdirs"));
    layout->addWidget(lstdirs);
}

QStringList frmopen::folderList() const {
    QStringList folders;
    folders.reserve(lstdirs->count());
    for (int i = 0; i < lstdirs->count(); ++i) {
        folders << lstdirs->item(i)->text();
    }
    return folders;
}

void frmopen::setFolderList(const QStringList& folders) {
    lstdirs->clear();
    lstdirs->addItems(folders);
}

void frmopen::presetFolder(const QString& folder) {
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
        currentFolder_ = folder;
    }
}

void frmopen::closeEvent(QCloseEvent* event) {
    event->accept();
    Form1& form = program_.form1();
    form.setEnabled(true);
    form.show();
    if (playlist* pl = program_.playlistIfLoaded()) {
        pl->setEnabled(true);
    }
    if (form.plcurr == QLatin1String("1")) {
        program_.playlistWindow().show();
    }
}
