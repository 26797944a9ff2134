#include "playlistwindow/TitleSearch.h"

std::vector<int> findTitles(const QStringList& titles, const QString& text, const QLocale& locale) {
    std::vector<int> found;
    if (text.isEmpty()) {
        return found;
    }
    const int count = static_cast<int>(titles.size());
    if (text.front() == QLatin1Char('*')) {
        const QString wanted = locale.toLower(text.mid(1));
        for (int line = 0; line < count; ++line) {
            if (locale.toLower(titles[line]).contains(wanted)) {
                found.push_back(line);
            }
        }
        return found;
    }
    // A title shorter than the text is compared whole, so it can only match if it is equal.
    const QString wanted = text.toUpper();
    const qsizetype length = text.size();
    for (int line = 0; line < count; ++line) {
        if (titles[line].left(length).toUpper() == wanted) {
            found.push_back(line);
        }
    }
    return found;
}
