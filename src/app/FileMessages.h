#pragma once

#include <QString>

class MessageBoxes;
struct ListFileContents;

// Tells the user that a file of theirs could not be written, naming it. The old file, if any,
// is still whole: the writers replace files only once everything was written.
void tellWriteFailed(MessageBoxes& messages, const QString& path);
// Tells the user that a file could not be read, naming it.
void tellReadFailed(MessageBoxes& messages, const QString& path);
// Tells the user, naming the file and the line, that a folder list was read only in part, so
// that the next save of it will lack the rest. Says nothing when the whole file was read.
void tellListCut(MessageBoxes& messages, const QString& path, const ListFileContents& read);
