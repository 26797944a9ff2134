#include "platform/QtFileDialog.h"

#include <gtest/gtest.h>

namespace {

TEST(QtNameFilters, KeepTheDescriptionAndPutThePatternsWhereQtLooksForThem) {
    // Qt shows the text before the last parentheses (HideNameFilterDetails) and filters by
    // the patterns inside them.
    EXPECT_EQ(toQtNameFilters(QStringLiteral("MP3 - Dateien (*.mp3)|*.mp3")),
              QStringList{"MP3 - Dateien (*.mp3) (*.mp3)"});
    EXPECT_EQ(toQtNameFilters(QStringLiteral("Playlist-Dateien |*.mpc")),
              QStringList{"Playlist-Dateien (*.mpc)"});
    EXPECT_EQ(toQtNameFilters(QStringLiteral("Playlist-Dateien (*.mpc)|*.mpc")),
              QStringList{"Playlist-Dateien (*.mpc) (*.mpc)"});
}

TEST(QtNameFilters, SplitsSeveralPairsAndSemicolonSeparatedPatterns) {
    EXPECT_EQ(toQtNameFilters(QStringLiteral("Musik|*.mp3; *.wav|Alle Dateien|*.*")),
              (QStringList{"Musik (*.mp3 *.wav)", "Alle Dateien (*.*)"}));
}

TEST(QtNameFilters, DropsDescriptionsWithoutPatterns) {
    EXPECT_EQ(toQtNameFilters(QString()), QStringList{});
    EXPECT_EQ(toQtNameFilters(QStringLiteral("Nur Text")), QStringList{});
    EXPECT_EQ(toQtNameFilters(QStringLiteral("Leer| ;|Listen|*.mpc|Rest")),
              QStringList{"Listen (*.mpc)"});
}

}  // namespace
