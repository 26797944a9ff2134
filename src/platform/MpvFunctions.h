#pragma once

#include <mpv/client.h>

#include <clocale>
#include <cstring>

// The entry points of libmpv that the player uses, as MpvLibrary resolves them at run time.
// Only the player's own files include this, with the library's header.
struct MpvFunctions {
    decltype(&::mpv_client_api_version) clientApiVersion = nullptr;
    decltype(&::mpv_create) create = nullptr;
    decltype(&::mpv_initialize) initialize = nullptr;
    decltype(&::mpv_terminate_destroy) terminateDestroy = nullptr;
    decltype(&::mpv_set_option_string) setOptionString = nullptr;
    decltype(&::mpv_command_async) commandAsync = nullptr;
    decltype(&::mpv_get_property_async) getPropertyAsync = nullptr;
    decltype(&::mpv_set_property_async) setPropertyAsync = nullptr;
    decltype(&::mpv_observe_property) observeProperty = nullptr;
    decltype(&::mpv_wait_event) waitEvent = nullptr;
    decltype(&::mpv_set_wakeup_callback) setWakeupCallback = nullptr;
};

// mpv refuses to start unless C functions format numbers the C way. Qt formats numbers through
// QLocale, so the program's own number texts do not change.
inline void useCNumbers() {
    const char* const numeric = std::setlocale(LC_NUMERIC, nullptr);
    if (numeric == nullptr || std::strcmp(numeric, "C") != 0) {
        std::setlocale(LC_NUMERIC, "C");
    }
}
