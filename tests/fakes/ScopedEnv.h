#pragma once

#include <QByteArray>
#include <QtGlobal>

// Sets (or with nullptr unsets) an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name), saved_(qgetenv(name)) {
        had_ = qEnvironmentVariableIsSet(name);
        value != nullptr ? qputenv(name, value) : qunsetenv(name);
    }
    ~ScopedEnv() { had_ ? qputenv(name_, saved_) : qunsetenv(name_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    QByteArray saved_;
    bool had_ = false;
};
