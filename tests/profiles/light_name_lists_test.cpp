#include "profiles/light_name_lists.h"

#include <gtest/gtest.h>

#include "scratch_folder.h"

namespace velmora::profiles {
namespace {

using testing::ParseText;

const char* kDocument = R"({
  "DefaultLightName": [
    [{"LightName": "wave", "visible": true, "value": 1},
     {"LightName": "hidden", "visible": false, "value": 19},
     {"LightName": "int flag", "visible": 1, "value": "7"}],
    "not a list",
    [{"LightName": "pad", "visible": true, "value": 4}]
  ],
  "AreaLightName": [[{"LightName": "keys"}, {"LightName": 3}], [{"LightName": "logo"}]]
})";

TEST(LightNameListsTest, ReadsEachKindsModesAndTheirValues) {
  const Json::Value doc = ParseText(kDocument);
  const std::vector<LightModeName> keyboard = ReadDefaultLightNames(doc, kLightKindKeyboard);
  ASSERT_EQ(keyboard.size(), 3u);
  EXPECT_EQ(keyboard[0], (LightModeName{"wave", true, 1}));
  EXPECT_EQ(keyboard[1], (LightModeName{"hidden", false, 19}));
  EXPECT_EQ(keyboard[2], (LightModeName{"int flag", true, 0})) << "a string value is absent";
  EXPECT_EQ(LightModeValues(keyboard), (std::vector<int32_t>{1, 19, 0}));
  EXPECT_EQ(ReadDefaultLightNames(doc, kLightKindMousePad).size(), 1u);
}

TEST(LightNameListsTest, MissingOrMalformedKindsYieldEmptyLists) {
  const Json::Value doc = ParseText(kDocument);
  EXPECT_TRUE(ReadDefaultLightNames(doc, kLightKindMouse).empty());
  EXPECT_TRUE(ReadDefaultLightNames(doc, kLightKindHeadset).empty());
  EXPECT_TRUE(ReadDefaultLightNames(doc, -1).empty());
  EXPECT_TRUE(ReadDefaultLightNames(Json::Value(), 0).empty());
  EXPECT_EQ(ReadAreaLightNames(doc, 0), (std::vector<std::string>{"keys", ""}));
  EXPECT_TRUE(ReadAreaLightNames(doc, 2).empty());
}

TEST(LightNameListsTest, CustomNamesComeFromTheLightConfiguration) {
  const Json::Value config =
      ParseText(R"({"LightInfo": [[{"LightName": "mine", "Guid": "g"}], [{"LightName": "m"}]]})");
  EXPECT_EQ(ReadCustomLightNames(config, kLightKindKeyboard), std::vector<std::string>{"mine"});
  EXPECT_EQ(ReadCustomLightNames(config, kLightKindMouse), std::vector<std::string>{"m"});
  EXPECT_TRUE(ReadCustomLightNames(config, kLightKindHeadset).empty());
}

}  // namespace
}  // namespace velmora::profiles
