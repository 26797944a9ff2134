#pragma once

#include <QListWidget>
#include <QWidget>

class Program;

// The folder browser: the list of folders whose MP3 files make up the playlist.
class frmopen : public QWidget {
    Q_OBJECT
public:
    explicit frmopen(Program& program);

    QListWidget* lstdirs;  // the folder list, in scan order

private:
    Program& program_;
};
