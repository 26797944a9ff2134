#include <gtest/gtest.h>

#include "playlistwindow/TitleSearch.h"

TEST(TitleSearch, FindsTheMatchingLinesInOrder) {
    const QStringList umlauts{"Ärzte - Junge", "Die Ärzte", "Über den Wolken", "Müller - Öl"};
    const QStringList abba{"Abba - SOS", "Best of Abba"};
    const std::vector<std::tuple<QStringList, QString, std::vector<int>>> cases{
        {abba, "abba", {0}},
        {abba, "*abba", {0, 1}},
        {abba, "*", {0, 1}},
        {abba, "", {}},
        // Only a leading star means "anywhere"; any other is a character.
        {{"Ab*ba", "Abba", "Ab ba*"}, "ab*", {0}},
        {{"*x", "yx"}, "**", {0}},
        {umlauts, "ärzte", {0}},
        {umlauts, "ÜBER", {2}},
        {umlauts, "*ÄRZTE", {0, 1}},
        {umlauts, "*Arzte", {}},
    };
    for (const auto& [titles, text, lines] : cases) {
        EXPECT_EQ(findTitles(titles, text, QLocale(QLocale::German, QLocale::Germany)), lines)
            << text.toStdString();
    }
}
