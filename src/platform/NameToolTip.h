#pragma once

#include <QString>

// The tooltip that shows a file or folder name: exactly as named, never read as markup, and
// broken into lines that fit on the screen (after a "/" or a blank where there is one).
QString nameToolTip(const QString& name);
