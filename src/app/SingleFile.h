#pragma once

#include <QString>

#include "platform/FileRefusal.h"

// A single MP3 file handed to the player from outside: on its command line, by a second start
// or by the desktop's media controls. It is played as a file chosen with "Open", if it is one:
// a regular file (or a link to one) whose name ends in ".mp3" in any case, as the scanner
// takes them.
FileRefusal checkSingleFile(const QString& path);

// What the user is told of a refused file, in German.
QString refusalText(FileRefusal refusal, const QString& path);
