#include "folders/cache.h"

#include "app/Program.h"
#include "folders/FolderScanner.h"
#include "player/Form1.h"
#include "player/Transport.h"
#include "playlist/ListFile.h"
#include "playlist/playlist.h"

cache::cache(Program& program) : program_(program) {
    Timer1 = new FormTimer(kDelayMs, true, this);
    connect(Timer1, &FormTimer::timeout, this, &cache::Timer1_Timer);
}

void cache::publish() {
    if (playlist* pl = program_.playlistIfLoaded()) {
        pl->appendLines(program_.store.titles());
    }
    program_.form1().transport().queueFollowing();
}

void cache::Timer1_Timer() {
    Timer1->setEnabled(false);
    // The list is read again here, so a scan asked for twice sees the newest one.
    const QStringList folders = readListFile(program_.foldersPath()).value_or(QStringList());
    std::vector<PlaylistStore::Entry> entries = toEntries(scanFolders(folders));
    std::vector<int> order = shuffledOrder(static_cast<int>(entries.size()));
    program_.store.fill(std::move(entries), std::move(order));
    program_.finishScan();
}
