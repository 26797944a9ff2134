#pragma once

#include <QString>

// Whether the playback engine can be used and, when not, why.
struct EngineStatus {
    enum class Failure {
        None,
        NotFound,        // no library of that name
        WrongInterface,  // a library of another interface version
        NotStarted,      // found, but it could not be loaded or started
    };

    Failure failure = Failure::None;
    QString library;  // the library's name as it was looked for
    QString detail;   // what went wrong, in the loader's words; may be empty

    bool ok() const { return failure == Failure::None; }
};
