// Value parsing the layouts rely on: colours, rectangles, attribute lists, image strings,
// tagged text, UTF-8 stepping, menu placement and colour conversion.

#include <gtest/gtest.h>

#include "toolkit/color_palette.h"
#include "toolkit/image_string.h"
#include "toolkit/menu_window.h"
#include "toolkit/text_markup.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {
namespace {

TEST(ParseColor, AcceptsTheNotationsLayoutsUse) {
  struct Case {
    const char* text;
    UiColor expected;
  } cases[] = {
      {"#FF112233", 0xFF112233}, {"#80ABCDEF", 0x80ABCDEF}, {"#112233", 0xFF112233},
      {"0xFF00FF00", 0xFF00FF00}, {"0x00000000", 0x00000000}, {"FFFFFFFF", 0xFFFFFFFF},
      {" #ff0000ff ", 0xFF0000FF}, {"", 0}, {"#zz", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseColor(c.text), c.expected) << c.text;
}

TEST(ParseNumbers, RectanglesSizesAndListsTolerateGaps) {
  EXPECT_EQ(ParseRect("1,2,3,4"), (UiRect{1, 2, 3, 4}));
  EXPECT_EQ(ParseRect(" -5, 6 ,7,8"), (UiRect{-5, 6, 7, 8}));
  EXPECT_EQ(ParseRect("9,10"), (UiRect{9, 10, 0, 0}));
  EXPECT_EQ(ParseSize("800,572"), (UiSize{800, 572}));
  EXPECT_EQ(ParseIntList("1,x,3"), (std::vector<int>{1}));
  EXPECT_EQ(ParseInt("99999999999"), 0x7FFFFFFF);
  EXPECT_TRUE(ParseBool("TRUE"));
  EXPECT_TRUE(ParseBool("1"));
  EXPECT_FALSE(ParseBool("yes"));
}

TEST(ParseAttributeList, ReadsBothQuoteKindsAndStopsAtAFault) {
  std::vector<std::pair<std::string, std::string>> pairs;
  EXPECT_TRUE(ParseAttributeList("name=\"a b\" normalimage='file=\"x.png\"'  width=\"10\"", pairs));
  ASSERT_EQ(pairs.size(), 3u);
  EXPECT_EQ(pairs[0], (std::pair<std::string, std::string>{"name", "a b"}));
  EXPECT_EQ(pairs[1].second, "file=\"x.png\"");
  pairs.clear();
  EXPECT_FALSE(ParseAttributeList("a=\"1\" b=\"unterminated", pairs));
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_FALSE(ParseAttributeList("novalue", pairs));
}

TEST(Utf8, StepsWholeCharacters) {
  const std::string text = "a\xE4\xB8\xAD\xE0\xB8\x81z";  // a, CJK, Thai, z
  EXPECT_EQ(Utf8Length(text), 4u);
  EXPECT_EQ(Utf8NextBoundary(text, 1), 4u);
  EXPECT_EQ(Utf8PrevBoundary(text, 7), 4u);
  EXPECT_EQ(Utf8PrevBoundary(text, 0), 0u);
  EXPECT_EQ(Utf8OffsetOfChar(text, 3), 7u);
  EXPECT_EQ(Utf8OffsetOfChar(text, 10), text.size());
}

TEST(ImageString, ParsesEveryAttributeAndModifyOverrides) {
  TDrawInfo info;
  ASSERT_TRUE(ParseImageString("file='common/bk.png' source='0,0,20,10' corner='2,3,4,5' dest='1,1,9,9' fade='300' "
                               "xtiled='true' hole='true'",
                               info));
  EXPECT_EQ(info.file, "common/bk.png");
  EXPECT_FALSE(info.fromResource);
  EXPECT_EQ(info.source, (UiRect{0, 0, 20, 10}));
  EXPECT_EQ(info.corner, (UiRect{2, 3, 4, 5}));
  EXPECT_EQ(info.dest, (UiRect{1, 1, 9, 9}));
  EXPECT_EQ(info.fade, 255);  // clamped
  EXPECT_TRUE(info.xtiled && info.hole && !info.ytiled);
  ASSERT_TRUE(ParseImageString("res='redio' fade='80'", info));
  EXPECT_EQ(info.file, "redio");
  EXPECT_TRUE(info.fromResource);
  EXPECT_EQ(info.fade, 80);
  EXPECT_EQ(info.source, (UiRect{0, 0, 20, 10}));  // untouched by the modify string

  TDrawInfo bare;
  ASSERT_TRUE(ParseImageString("  power/power.png ", bare));
  EXPECT_EQ(bare.file, "power/power.png");
}

TEST(TextMarkup, TranslatesTagsAndEscapesTheRest) {
  struct Case {
    const char* html;
    const char* markup;
  } cases[] = {
      {"plain & <simple>", "plain &amp; &lt;simple&gt;"},
      {"<b>bold</b> <c #FF0000>red</c>", "<b>bold</b> <span foreground=\"#FF0000\">red</span>"},
      {"one<n>two", "one\ntwo"},
      {"<u>open", "<u>open</u>"},            // unclosed tags are closed
      {"stray</b>end", "strayend"},          // a closer without opener is dropped
      {"<b><i>x</b>y", "<b><i>x</i></b>y"},  // closing an outer tag closes the inner one
      {"a <3", "a &lt;3"},
  };
  for (const Case& c : cases) EXPECT_EQ(HtmlTextToMarkup(c.html), c.markup) << c.html;
}

TEST(PlaceMenu, AlignedEdgeSitsAtThePointAndStaysOnScreen) {
  const UiRect work{0, 0, 1920, 1040};
  struct Case {
    uint32_t alignment;
    UiPoint point;
    UiRect expected;
  } cases[] = {
      {eMenuAlignment_Left | eMenuAlignment_Top, {100, 100}, {100, 100, 260, 300}},
      {eMenuAlignment_Right | eMenuAlignment_Bottom, {1900, 1020}, {1740, 820, 1900, 1020}},  // alignment 24
      {eMenuAlignment_Right | eMenuAlignment_Top, {1900, 41}, {1740, 41, 1900, 241}},          // alignment 12
      {eMenuAlignment_Left | eMenuAlignment_Bottom, {61, 900}, {61, 700, 221, 900}},           // alignment 18
      {eMenuAlignment_Left | eMenuAlignment_Top, {1900, 1000}, {1760, 840, 1920, 1040}},       // pushed back on screen
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlaceMenu(c.point, {160, 200}, c.alignment, work), c.expected) << c.alignment;
  }
  EXPECT_EQ(eMenuAlignment_Left | eMenuAlignment_Top, 6u);
}

TEST(ColorModel, HsbRoundTripsPrimaryAndMixedColours) {
  const UiColor colors[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF336699, 0xFFFFA500};
  for (UiColor color : colors) {
    double h, s, b;
    ColorToHsb(color, h, s, b);
    EXPECT_EQ(HsbToColor(h, s, b), color) << std::hex << color;
  }
  EXPECT_EQ(HsbToColor(120, 1, 1), 0xFF00FF00u);
}

}  // namespace
}  // namespace velmora::toolkit
