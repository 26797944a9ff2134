#include "platform/QtFileDialog.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

// Qt shows the text before the last parentheses (HideNameFilterDetails) and filters by the
// patterns inside them. Several pairs and semicolon-separated patterns are split; descriptions
// without patterns are dropped.
TEST(QtNameFilters, KeepTheDescriptionAndPutThePatternsWhereQtLooksForThem) {
    const std::vector<std::pair<QString, QStringList>> cases{
        {"MP3 - Dateien (*.mp3)|*.mp3", {"MP3 - Dateien (*.mp3) (*.mp3)"}},
        {"Playlist-Dateien |*.mpc", {"Playlist-Dateien (*.mpc)"}},
        {"Musik|*.mp3; *.wav|Alle Dateien|*.*", {"Musik (*.mp3 *.wav)", "Alle Dateien (*.*)"}},
        {QString(), {}},
        {"Nur Text", {}},
        {"Leer| ;|Listen|*.mpc|Rest", {"Listen (*.mpc)"}},
    };
    for (const auto& [filter, qtFilters] : cases) {
        EXPECT_EQ(toQtNameFilters(filter), qtFilters) << filter.toStdString();
    }
}
