// Writes one line for every top-level window mapped on $DISPLAY, so a test can tell afterwards
// which windows a program ever showed, even for a moment. The first line, "ready", says the
// watch is in place. Runs until it is terminated or the display goes away.
//
// Line format: map <TAB> pid <TAB> window id <TAB> override-redirect 0/1 <TAB> name

#include <chrono>
#include <cstdio>
#include <exception>

#include "TopLevelMapWatcher.h"

int main() {
    try {
        bramble::testsupport::TopLevelMapWatcher watcher;
        std::printf("ready\n");
        std::fflush(stdout);
        for (;;) {
            const auto mapped = watcher.nextMap(std::chrono::hours(1));
            if (!mapped) {
                continue;
            }
            std::printf("map\t%d\t0x%x\t%d\t%s\n", static_cast<int>(mapped->pid), mapped->id,
                        mapped->overrideRedirect ? 1 : 0, mapped->name.c_str());
            std::fflush(stdout);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "x11_map_log: %s\n", error.what());
        return 1;
    }
}
