#pragma once

#include <QString>

#include "platform/FileRefusal.h"

class MessageBoxes;

// What a start of the player tells the user when it cannot do what it was asked.

// The file it was started with is refused.
void tellFileRefused(MessageBoxes& messages, FileRefusal refusal, const QString& path);
// A copy runs already, or something holds its place, but it did not answer.
void tellRunningCopySilent(MessageBoxes& messages);
// This copy runs, but a later one started without a session bus would not find it: `path`
// (the socket's, or its folder) is taken by something the player must not remove.
void tellUniquenessUnsure(MessageBoxes& messages, const QString& path);
