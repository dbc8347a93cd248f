// Checks the shipped default data: every document loads through the class of its family and
// holds what that family reads.
#include <gtest/gtest.h>

#include <set>

#include "devices/keyboard_layout.h"
#include "platform/paths.h"
#include "profiles/hd7720_profiledata.h"
#include "profiles/json_file.h"
#include "profiles/keyboard_profiledata.h"
#include "profiles/light_effect_file.h"
#include "profiles/light_name_lists.h"
#include "profiles/mouse_profiledata.h"
#include "scratch_folder.h"

namespace velmora::profiles {
namespace {

using testing::SourceDefaultData;

std::string Shipped(const std::string& name) {
  return platform::JoinPath(SourceDefaultData(), name);
}

TEST(DefaultDataTest, KeyboardProfileHoldsEverySectionTheKeyboardReads) {
  CKeyboardProfiledata profile;
  const Json::Value entry = profile.ReadEntry(Shipped("keyboard.Json"));
  for (const char* section : {"LightInfo", "AudioLightInfo", "LightList", "KeyList",
                              "SystemStages", "CustomLightMode"}) {
    EXPECT_TRUE(entry.isMember(section)) << section;
  }
  EXPECT_EQ(profile.GetLightList().size(), 170u);
  EXPECT_GE(profile.GetLightInfo().selectItem, 1);
  EXPECT_LE(profile.GetLightInfo().light, 24);
  EXPECT_EQ(profile.GetCustomLightColors(profile.GetCustomLightGroup(), 170).size(), 170u);
}

TEST(DefaultDataTest, KeyboardKeyListCarriesTheFactoryCodeOfEveryPosition) {
  CKeyboardProfiledata profile;
  profile.ReadEntry(Shipped("keyboard.Json"));
  const std::vector<KeyAssignEntry> keys = profile.GetKeyList();
  ASSERT_EQ(keys.size(), devices::kKeyboardPositionCount);
  for (size_t position = 0; position < keys.size(); ++position) {
    SCOPED_TRACE(position);
    const devices::KeyFunctionCode& code = devices::kKeyPositionDefaultCodes[position];
    const KeyAssignment expected{static_cast<uint16_t>(position), code.type, code.argument,
                                 code.code};
    EXPECT_EQ(keys[position].factory, expected);
    EXPECT_EQ(keys[position].current, expected);
  }
}

TEST(DefaultDataTest, EveryFamilyProfileLoadsWithItsSections) {
  CMouseProfiledata mouse;
  const Json::Value mouseEntry = mouse.ReadEntry(Shipped("mouse.Json"));
  EXPECT_EQ(mouse.GetKeyList().size(), 11u);
  EXPECT_EQ(mouse.GetDPIStages().size(), 5u);
  EXPECT_LT(mouse.GetActiveStage(), 5u);
  EXPECT_FALSE(mouse.GetCorrectInfo().empty());
  EXPECT_TRUE(mouseEntry.isMember("ReportStages"));
  EXPECT_EQ(mouse.GetLightList().size(), 15u);

  CBasicProfiledata pad;
  pad.ReadEntry(Shipped("MousePad.Json"));
  EXPECT_EQ(pad.GetLightList().size(), 15u);

  CHd7720Profiledata headset;
  headset.ReadEntry(Shipped("HD.Json"));
  EXPECT_EQ(headset.GetLightList().size(), 13u);
  const Json::Value before = headset.CurrentEntry();
  for (uint32_t type = 1; type <= 12; ++type) EXPECT_EQ(headset.GetEQValues(type).size(), 10u);
  EXPECT_EQ(headset.CurrentEntry(), before) << "every preset is present";
}

TEST(DefaultDataTest, LightNameListsCoverAllFourFamilies) {
  const Json::Value doc = ReadJsonFile(Shipped(kDefaultLightFileName));
  const size_t counts[] = {31, 10, 9, 9};
  for (int kind = kLightKindKeyboard; kind <= kLightKindHeadset; ++kind) {
    SCOPED_TRACE(kind);
    const std::vector<LightModeName> modes = ReadDefaultLightNames(doc, kind);
    ASSERT_EQ(modes.size(), counts[kind]);
    const std::vector<int32_t> values = LightModeValues(modes);
    EXPECT_EQ(std::set<int32_t>(values.begin(), values.end()).size(), values.size())
        << "the mode byte must map back to one mode";
    EXPECT_FALSE(ReadAreaLightNames(doc, kind).empty());
    for (const LightModeName& mode : modes) EXPECT_FALSE(mode.name.empty());
  }
  const std::vector<LightModeName> keyboard = ReadDefaultLightNames(doc, kLightKindKeyboard);
  EXPECT_FALSE(keyboard[0].visible);
  EXPECT_FALSE(keyboard[19].visible);
  EXPECT_TRUE(keyboard[20].visible);
  EXPECT_EQ(keyboard[29].value, 29);
  EXPECT_EQ(keyboard[30].value, 30);
}

TEST(DefaultDataTest, EveryShippedCustomEffectHasSteps) {
  const Json::Value config = ReadJsonFile(Shipped("kivra_light.config"));
  const Json::Value& perKind = config["LightInfo"];
  ASSERT_EQ(perKind.size(), 4u);
  for (const Json::Value& list : perKind) {
    for (const Json::Value& item : list) {
      const std::string guid = item["Guid"].asString();
      SCOPED_TRACE(guid);
      ASSERT_TRUE(platform::IsPlainFileName(guid + kLightEffectExtension));
      const std::vector<LightEffectEntry> steps =
          ReadLightEffectFile(Shipped(guid + kLightEffectExtension));
      ASSERT_FALSE(steps.empty());
      for (const LightEffectEntry& step : steps) EXPECT_GT(step.time, 0u);
    }
  }
}

TEST(DefaultDataTest, CustomModesOfThePadPlayAShippedEffectForANewUser) {
  testing::ScratchFolder user;
  CBasicProfiledata pad;
  pad.SetDefaultPath(Shipped("MousePad.Json"));
  pad.SetConfigPath(user.File("kivra_light.config"));
  pad.ReadEntry(Shipped("MousePad.Json"));
  pad.SetLightInfo(5, 0, 0, 0);  // the pad's custom mode
  pad.GetLightInfo();
  pad.LoadLightConfig(pad.GetConfigPath());
  EXPECT_FALSE(pad.GetLightEffects().empty());
}

}  // namespace
}  // namespace velmora::profiles
