#pragma once

// Qt ends a program whose display cannot be opened with an abort and a core dump, after a
// screenful of messages about platform plugins. While a guard exists, Qt's messages are held
// back, and that failure instead ends the program with one line on standard error and exit
// status 1. Construct one just before the application object and release it right after.
class DisplayStartGuard {
public:
    DisplayStartGuard();
    ~DisplayStartGuard();
    DisplayStartGuard(const DisplayStartGuard&) = delete;
    DisplayStartGuard& operator=(const DisplayStartGuard&) = delete;

    // The display is open: restores Qt's message handling and passes on what was held back.
    void release();

private:
    bool active_ = true;
};
