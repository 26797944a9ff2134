#pragma once

#include <QString>

#include "platform/FileRefusal.h"

class MessageBoxes;

// What a start of the player tells the user when it cannot do what it was asked.

// The file it was started with is refused: said on standard error, and in a box.
void tellFileRefused(MessageBoxes& messages, FileRefusal refusal, const QString& path);
// The same from a later start that handed its file to the running copy: the box only where the
// start did not come from a terminal, whose script would wait for it to be clicked away.
void tellHandedFileRefused(MessageBoxes& messages, FileRefusal refusal, const QString& path);
// A copy runs already, or something holds its place, but it did not answer.
void tellRunningCopySilent(MessageBoxes& messages);
// This copy runs, but a later one started without a session bus would not find it: `path`
// (the socket's, or its folder) is taken by something the player must not remove.
void tellUniquenessUnsure(MessageBoxes& messages, const QString& path);
