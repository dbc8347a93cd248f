#include "profiles/keyboard_profiledata.h"

#include <gtest/gtest.h>

#include "profile_fixture.h"

namespace velmora::profiles {
namespace {

using KeyboardProfiledataTest = testing::ProfileFixture<CKeyboardProfiledata>;

TEST_F(KeyboardProfiledataTest, SystemStagesTravelAsPairsOfHalfWords) {
  LoadEntry(R"({"SystemStages": {"Repeat": 20, "RepeatDelay": 2, "Key6Flag": 1,
                                 "PollingRate": 3, "WFlag": 0, "WinFlag": 70000}})");
  EXPECT_EQ(profile.GetSystemStages(),
            (StageWords{20 | 2u << 16, 1 | 3u << 16, 0 | (70000u & 0xFFFF) << 16}));

  profile.SetSystemStages(0x00030005, 0x00020001, 0x00010000);
  const Json::Value stages = Saved()["SystemStages"];
  EXPECT_EQ(stages["Repeat"].asInt(), 5);
  EXPECT_EQ(stages["RepeatDelay"].asInt(), 3);
  EXPECT_EQ(stages["Key6Flag"].asInt(), 1);
  EXPECT_EQ(stages["PollingRate"].asInt(), 2);
  EXPECT_EQ(stages["WFlag"].asInt(), 0);
  EXPECT_EQ(stages["WinFlag"].asInt(), 1);
}

TEST_F(KeyboardProfiledataTest, MissingCustomGroupIsCreatedWithZeroColours) {
  LoadEntry(R"({"CustomLightMode": {"LightColorInfo": [[{"Red": 1, "Green": 2, "Blue": 3,
                                                           "Alpha": 4}]]}})");
  const std::vector<CustomLightColor> colors = profile.GetCustomLightColors(2, 8);
  EXPECT_EQ(colors, std::vector<CustomLightColor>(8));

  const Json::Value groups = Saved()["CustomLightMode"]["LightColorInfo"];
  ASSERT_EQ(groups.size(), 3u);
  EXPECT_TRUE(groups[1].isNull());
  ASSERT_EQ(groups[2].size(), 8u);
  for (const Json::Value& color : groups[2]) {
    EXPECT_EQ(color["Red"].asInt() + color["Green"].asInt() + color["Blue"].asInt() +
                  color["Alpha"].asInt(),
              0);
    EXPECT_EQ(color.size(), 4u);
  }
  EXPECT_EQ(groups[0][0]["Blue"].asInt(), 3) << "other groups untouched";
}

TEST_F(KeyboardProfiledataTest, ShortCustomGroupKeepsStoredColoursAndFillsTheRest) {
  LoadEntry(R"({"CustomLightMode": {"LightColorInfo": [[{"Red": 1, "Green": 2, "Blue": 3,
                                                           "Alpha": 4}, "junk"]]}})");
  const std::vector<CustomLightColor> colors = profile.GetCustomLightColors(0, 3);
  ASSERT_EQ(colors.size(), 3u);
  EXPECT_EQ(colors[0], (CustomLightColor{1, 2, 3, 4}));
  EXPECT_EQ(colors[1], CustomLightColor{});
  const Json::Value group = Saved()["CustomLightMode"]["LightColorInfo"][0];
  ASSERT_EQ(group.size(), 3u);
  EXPECT_EQ(group[1]["Red"].asInt(), 0);
  EXPECT_TRUE(group[2].isObject());
}

TEST_F(KeyboardProfiledataTest, CustomColoursAndGroupRoundTrip) {
  LoadEntry("{}");
  EXPECT_EQ(profile.GetCustomLightGroup(), 0u);
  profile.SetCustomLightColors({{255, 0, 0, 255}, {0, 128, 0, 255}}, 1);
  profile.SetCustomLightGroup(1);
  const Json::Value mode = Saved()["CustomLightMode"];
  EXPECT_EQ(mode["CustomLightModeGroupIndex"].asInt(), 1);

  CKeyboardProfiledata reread;
  reread.ReadEntry(path());
  EXPECT_EQ(reread.GetCustomLightGroup(), 1u);
  EXPECT_EQ(reread.GetCustomLightColors(1, 2),
            (std::vector<CustomLightColor>{{255, 0, 0, 255}, {0, 128, 0, 255}}));
}

TEST_F(KeyboardProfiledataTest, HugeGroupIndexIsNotGrownIntoTheDocument) {
  LoadEntry("{}");
  EXPECT_EQ(profile.GetCustomLightColors(4000000000u, 2).size(), 2u);
  profile.SetCustomLightColors({{1, 2, 3, 4}}, 4000000000u);
  EXPECT_LE(Saved()["CustomLightMode"]["LightColorInfo"].size(), 1u);
}

}  // namespace
}  // namespace velmora::profiles
