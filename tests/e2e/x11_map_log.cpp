// Writes "ready" once the watch is in place, then a line "map <TAB> pid <TAB> window id <TAB>
// override-redirect 0/1 <TAB> name" for every top-level window mapped on $DISPLAY, so a test can
// tell which windows a program ever showed, even for a moment.

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
            if (const auto mapped = watcher.nextMap(std::chrono::hours(1))) {
                std::printf("map\t%d\t0x%x\t%d\t%s\n", static_cast<int>(mapped->pid), mapped->id,
                            mapped->overrideRedirect ? 1 : 0, mapped->name.c_str());
                std::fflush(stdout);
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "x11_map_log: %s\n", error.what());
        return 1;
    }
}
