#include <gtest/gtest.h>

#include "playlist/TitleSearch.h"

// The commonest rules are checked through the search window (tests/widgets/playlist/
// SearchWindowTest.cpp); here are the rest.

namespace {

struct SearchCase {
    const char* name;
    QStringList titles;
    QString text;
    std::vector<int> lines;
};

class TitleSearchTest : public ::testing::TestWithParam<SearchCase> {};

TEST_P(TitleSearchTest, FindsTheMatchingLinesInOrder) {
    const SearchCase& c = GetParam();
    EXPECT_EQ(findTitles(c.titles, c.text, QLocale(QLocale::German, QLocale::Germany)), c.lines);
}

const QStringList kUmlauts{"Ärzte - Junge", "Die Ärzte", "Über den Wolken", "Müller - Öl"};

INSTANTIATE_TEST_SUITE_P(
    Rules, TitleSearchTest,
    ::testing::Values(SearchCase{"LoneStarFindsAll", {"Abba", "Best of Abba"}, "*", {0, 1}},
                      SearchCase{"PrefixLongerThanTitle", {"Ab", "abba"}, "ABBA", {1}},
                      SearchCase{"LaterStarIsACharacter", {"Ab*ba", "Abba", "Ab ba*"}, "ab*", {0}},
                      SearchCase{"SecondStarIsACharacter", {"*x", "yx"}, "**", {0}},
                      SearchCase{"UmlautPrefixUpperCase", kUmlauts, "ÜBER", {2}},
                      SearchCase{"UmlautAnywhereUpperCase", kUmlauts, "*ÄRZTE", {0, 1}},
                      SearchCase{"UmlautAnywhereLowerCase", kUmlauts, "*öl", {3}},
                      SearchCase{"UmlautIsNotItsVowel", kUmlauts, "*Arzte", {}}),
    [](const ::testing::TestParamInfo<SearchCase>& info) { return info.param.name; });

}  // namespace
