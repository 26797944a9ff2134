#pragma once

#include <QString>

// One step of a scrolling title: the first two characters move to the end. A character is
// what the reader sees as one (an emoji, a letter with its accent), never half of one.
QString marqueeStep(const QString& caption);
