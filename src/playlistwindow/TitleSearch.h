#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <vector>

// The lines of a title list that a search text finds, in list order. A text that begins with
// "*" finds every title holding the rest of the text anywhere, letter case ignored as the
// locale lowers it; any other text finds the titles that begin with it, both upper-cased.
// An empty text finds nothing; a lone "*" finds everything.
std::vector<int> findTitles(const QStringList& titles, const QString& text,
                            const QLocale& locale = QLocale());
