#pragma once

#include <QString>

// A long-lived open/save dialog: a property an operation does not set keeps the value an
// earlier operation left in it. After a cancelled dialog fileName is empty.
class FileDialog {
public:
    virtual ~FileDialog() = default;

    QString fileName;  // preset before showing; the chosen file's full path afterwards
    QString dialogTitle;
    QString filter;      // "Description|pattern", e.g. "MP3 - Dateien (*.mp3)|*.mp3"
    QString defaultExt;  // ".mpc": added to a typed name without extension
    QString initDir;     // the dialog opens there when the folder exists

    // The chosen file's name without its folder.
    QString fileTitle() const;

    virtual void showOpen() = 0;  // blocks until the dialog closes
    virtual void showSave() = 0;  // blocks until the dialog closes
};
