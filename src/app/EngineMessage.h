#pragma once

#include <QString>

#include "platform/EngineStatus.h"

class MessageBoxes;

// The German text that tells why the playback engine cannot be used, and that the player runs
// on without sound.
QString engineMissingText(const EngineStatus& status);
// Shows that text in a message box titled "Fehler".
void tellEngineMissing(MessageBoxes& messages, const EngineStatus& status);
