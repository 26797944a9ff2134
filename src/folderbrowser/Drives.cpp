#include "folderbrowser/Drives.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/MessageBoxes.h"

namespace {

// A mount table escapes blanks, tabs, line breaks and backslashes in a path as \ooo (octal).
QByteArray unescaped(QByteArrayView field) {
    const auto octal = [](char c) { return c >= '0' && c <= '7'; };
    QByteArray text;
    text.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && octal(field[i + 1]) &&
            octal(field[i + 2]) && octal(field[i + 3])) {
            text.append(static_cast<char>(((field[i + 1] - '0') << 6) |
                                          ((field[i + 2] - '0') << 3) | (field[i + 3] - '0')));
            i += 3;
        } else {
            text.append(field[i]);
        }
    }
    return text;
}

bool isSystemMount(const QString& mountPoint, std::string_view type) {
    // Kernel views and other file systems without files of their own.
    static constexpr std::array<std::string_view, 23> kNoFiles{
        "autofs",    "binfmt_misc", "bpf",      "cgroup",      "cgroup2",        "configfs",
        "debugfs",   "devpts",      "efivarfs", "fusectl",     "hugetlbfs",      "mqueue",
        "nsfs",      "proc",        "pstore",   "rootfs",      "rpc_pipefs",     "securityfs",
        "selinuxfs", "sysfs",       "tracefs",  "fuse.portal", "fuse.gvfsd-fuse"};
    if (std::find(kNoFiles.begin(), kNoFiles.end(), type) != kNoFiles.end()) {
        return true;
    }
    for (const char* system : {"/dev", "/proc", "/sys", "/var/run", "/var/lock"}) {
        const QLatin1String root(system);
        if (mountPoint == root || mountPoint.startsWith(root + QLatin1Char('/'))) {
            return true;
        }
    }
    return false;
}

}  // namespace

QStringList drivesInMountTable(const QByteArray& table) {
    QStringList drives;
    for (const QByteArray& line : table.split('\n')) {
        // device, mount point, type, options, ...
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 3) {
            continue;
        }
        const QString mountPoint = QFile::decodeName(unescaped(fields[1]));
        if (mountPoint.startsWith(QLatin1Char('/')) &&
            !isSystemMount(mountPoint, unescaped(fields[2]).toStdString())) {
            drives.append(mountPoint);
        }
    }
    std::sort(drives.begin(), drives.end());  // "/" sorts before every other absolute path
    drives.erase(std::unique(drives.begin(), drives.end()), drives.end());
    if (drives.isEmpty() || drives.front() != QLatin1String("/")) {
        drives.prepend(QStringLiteral("/"));
    }
    return drives;
}

QStringList mountedDrives() {
    QFile table(QStringLiteral("/proc/self/mounts"));
    return drivesInMountTable(table.open(QIODevice::ReadOnly) ? table.readAll() : QByteArray());
}

void DriveList::refresh() {
    clear();
    addItems(mountedDrives());
}

void DriveList::selectDriveOf(const QString& folder) {
    // The drive that holds it: the longest that is the folder or a folder above it.
    int best = -1;
    for (int i = 0; i < count(); ++i) {
        const QString drive = itemText(i);
        const bool holds = folder == drive || folder.startsWith(drive + QLatin1Char('/')) ||
                           (drive == QLatin1String("/") && folder.startsWith(drive));
        if (holds && (best < 0 || drive.size() > itemText(best).size())) {
            best = i;
        }
    }
    if (best >= 0) {
        setCurrentIndex(best);
    }
}

void tellNoMedium(MessageBoxes& messages) {
    messages.show(QStringLiteral("Kein Datenträger in diesem Laufwerk!"), QStringLiteral("Fehler!"),
                  MessageBoxes::Buttons::Ok, MessageBoxes::Icon::None);
}
