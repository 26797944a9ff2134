#pragma once

#include <QByteArray>
#include <QComboBox>
#include <QString>
#include <QStringList>

class MessageBoxes;

// The "drives" of the folder browser are the mounted file systems.

// Their mount points: the root "/" first, then the others in name order. Read from the mount
// table alone: a look at a mount itself would wait as long as a dead one keeps it.
QStringList mountedDrives();

// The drives of a mount table in the layout of /proc/self/mounts, ordered as above. System
// mounts (below /dev, /proc or /sys, or of a type that holds no files) are left out.
QStringList drivesInMountTable(const QByteArray& table);

// The drive list of the folder windows.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    // Drives come and go (a stick is plugged in): they are listed afresh at each opening.
    void refresh();
    // Shows the drive that holds `folder`; nothing changes when none of the listed ones does.
    void selectDriveOf(const QString& folder);
};

// A drive or folder that cannot be read.
void tellNoMedium(MessageBoxes& messages);
