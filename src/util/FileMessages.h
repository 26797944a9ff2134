#pragma once

#include <QString>

class MessageBoxes;

// Tells the user that a file of theirs could not be written, naming it. The old file, if any,
// is still whole: the writers replace files only once everything was written.
void tellWriteFailed(MessageBoxes& messages, const QString& path);
// Tells the user that a file could not be read, naming it.
void tellReadFailed(MessageBoxes& messages, const QString& path);
