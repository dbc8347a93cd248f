#include "toolkit/gtk_file_filter.h"

#include <gtest/gtest.h>

namespace velmora::toolkit {

void PrintTo(const FileFilterEntry& entry, std::ostream* out) {
  *out << "{" << entry.description << ":";
  for (const auto& pattern : entry.patterns) *out << " " << pattern;
  *out << "}";
}

namespace {

struct FilterCase {
  const char* filter;
  std::vector<FileFilterEntry> expected;
};

class ParseFileFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(ParseFileFilterTest, GivesDescriptionsAndPatterns) {
  EXPECT_EQ(ParseFileFilter(GetParam().filter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    FilterStrings, ParseFileFilterTest,
    ::testing::Values(
        // The forms the program's dialogs use.
        FilterCase{"Profile Files(*.json)|*.json;", {{"Profile Files(*.json)", {"*.json"}}}},
        FilterCase{"(*.png) | *.png |(*.*)|*.*||", {{"(*.png)", {"*.png"}}, {"(*.*)", {"*.*"}}}},
        FilterCase{"Profile (*.Json)|*.Json|All files (*.*)|*.*",
                   {{"Profile (*.Json)", {"*.Json"}}, {"All files (*.*)", {"*.*"}}}},
        // Several patterns, blanks and empty patterns between the separators.
        FilterCase{"Images| *.png ;;*.bmp ; |", {{"Images", {"*.png", "*.bmp"}}}},
        // A pair without patterns is left out; parsing goes on after it.
        FilterCase{"Nothing| ;|Macro Files(*.mac)|*.mac;", {{"Macro Files(*.mac)", {"*.mac"}}}},
        // An empty description ends the list, as the double bar does.
        FilterCase{"|*.shoot", {}},
        // A description without its pattern part at the end.
        FilterCase{"Shoot Files(*.shoot)|*.shoot|Dangling", {{"Shoot Files(*.shoot)", {"*.shoot"}}}},
        // The double bar ends the list even when text follows.
        FilterCase{"A|*.a||B|*.b", {{"A", {"*.a"}}}},
        FilterCase{"", {}}, FilterCase{"||", {}}));

TEST(CaseInsensitiveGlobTest, LettersMatchEitherCaseAndEverythingElseStays) {
  EXPECT_EQ(CaseInsensitiveGlob("*.json"), "*.[jJ][sS][oO][nN]");
  EXPECT_EQ(CaseInsensitiveGlob("*.Json"), "*.[jJ][sS][oO][nN]");
  EXPECT_EQ(CaseInsensitiveGlob("*.*"), "*.*");
  EXPECT_EQ(CaseInsensitiveGlob("a?1_"), "[aA]?1_");
  // A bracket expression of the pattern is kept as written.
  EXPECT_EQ(CaseInsensitiveGlob("*.[ch]x"), "*.[ch][xX]");
}

}  // namespace
}  // namespace velmora::toolkit
