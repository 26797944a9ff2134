#include <gtest/gtest.h>

#include "playlist/TitleSearch.h"

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

const QStringList kAbba{"Abba - SOS", "Best of Abba"};
const QStringList kUmlauts{"Ärzte - Junge", "Die Ärzte", "Über den Wolken", "Müller - Öl"};

INSTANTIATE_TEST_SUITE_P(
    Rules, TitleSearchTest,
    ::testing::Values(SearchCase{"PrefixIgnoresCase", kAbba, "abba", {0}},
                      SearchCase{"StarFindsAnywhere", kAbba, "*abba", {0, 1}},
                      SearchCase{"LoneStarFindsAll", kAbba, "*", {0, 1}},
                      SearchCase{"EmptyFindsNothing", kAbba, "", {}},
                      SearchCase{"NoMatch", kAbba, "Queen", {}},
                      SearchCase{"PrefixLongerThanTitle", {"Ab", "abba"}, "ABBA", {1}},
                      SearchCase{"LaterStarIsACharacter", {"Ab*ba", "Abba", "Ab ba*"}, "ab*", {0}},
                      SearchCase{"SecondStarIsACharacter", {"*x", "yx"}, "**", {0}},
                      SearchCase{"UmlautPrefixLowerCase", kUmlauts, "ärzte", {0}},
                      SearchCase{"UmlautPrefixUpperCase", kUmlauts, "ÜBER", {2}},
                      SearchCase{"UmlautAnywhereUpperCase", kUmlauts, "*ÄRZTE", {0, 1}},
                      SearchCase{"UmlautAnywhereLowerCase", kUmlauts, "*öl", {3}},
                      SearchCase{"UmlautIsNotItsVowel", kUmlauts, "*Arzte", {}}),
    [](const ::testing::TestParamInfo<SearchCase>& info) { return info.param.name; });

}  // namespace
