#include "profiles/basic_profiledata.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "profiles/json_file.h"
#include "scratch_folder.h"

namespace velmora::profiles {
namespace {

using testing::ParseText;
using testing::ReadText;
using testing::ScratchFolder;
using testing::WriteText;

// A data folder and a default data folder with a small default document.
class BasicProfiledataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::MakeDirectories(defaults()));
    ASSERT_TRUE(platform::MakeDirectories(data()));
    WriteText(defaultPath(), R"({"Device": [{"LightInfo": {"SelectItem": 6, "Red": 200}}]})");
    profile.SetDefaultPath(defaultPath());
    profile.SetProfilePath(profilePath());
    profile.SetConfigPath(platform::JoinPath(data(), "kivra_light.config"));
  }
  std::string defaults() const { return folder.File("DefaultData"); }
  std::string data() const { return folder.File("keyboard"); }
  std::string defaultPath() const { return platform::JoinPath(defaults(), "keyboard.Json"); }
  std::string profilePath() const { return platform::JoinPath(data(), "p1.Json"); }
  // Makes the current entry the given JSON text.
  void LoadEntry(const std::string& entryText) {
    WriteText(profilePath(), R"({"profileUUID": "p1", "Device": [)" + entryText + "]}");
    profile.ReadEntry(profilePath());
  }

  ScratchFolder folder;
  CBasicProfiledata profile;
};

TEST_F(BasicProfiledataTest, DocumentWithoutItsEntryIsRepairedFromTheDefault) {
  const char* documents[] = {R"({"profilename": "Mine", "Device": []})",
                             R"({"profilename": "Mine", "Device": "broken"})",
                             R"({"profilename": "Mine"})"};
  for (const char* text : documents) {
    SCOPED_TRACE(text);
    WriteText(profilePath(), text);
    const Json::Value entry = profile.ReadEntry(profilePath());
    EXPECT_EQ(entry["LightInfo"]["SelectItem"].asInt(), 6);

    const Json::Value written = ParseText(ReadText(profilePath()));
    EXPECT_EQ(written["profilename"].asString(), "Mine");
    EXPECT_EQ(written["Device"][0]["LightInfo"]["Red"].asInt(), 200);
    CBasicProfiledata reopened;  // no default path: the entry must now be in the file
    EXPECT_EQ(reopened.ReadEntry(profilePath())["LightInfo"]["Red"].asInt(), 200);
  }
}

TEST_F(BasicProfiledataTest, UnreadableDocumentIsKeptAsideBeforeTheRepairReplacesIt) {
  const std::string typo = R"({"profilename": "Mine" "Device": [{"LightInfo": {"Red": 9}}]})";
  WriteText(profilePath(), typo);
  EXPECT_EQ(profile.ReadEntry(profilePath())["LightInfo"]["SelectItem"].asInt(), 6);
  EXPECT_EQ(ReadText(profilePath() + ".broken"), typo);
  EXPECT_EQ(ParseText(ReadText(profilePath()))["Device"][0]["LightInfo"]["Red"].asInt(), 200);

  // A readable document that merely lacks its entry leaves no copy behind.
  std::filesystem::remove(profilePath() + ".broken");
  WriteText(profilePath(), R"({"Device": []})");
  profile.ReadEntry(profilePath());
  EXPECT_FALSE(std::filesystem::exists(profilePath() + ".broken"));
}

TEST_F(BasicProfiledataTest, MissingDocumentIsCreatedHoldingOnlyDevice) {
  profile.ReadEntry(profilePath());
  const Json::Value written = ParseText(ReadText(profilePath()));
  EXPECT_EQ(written.getMemberNames(), std::vector<std::string>{"Device"});
  EXPECT_EQ(profile.GetLightInfo().selectItem, 6);
}

TEST_F(BasicProfiledataTest, WithoutAnyEntryReadersYieldZeroAndWritersCreateSections) {
  WriteText(defaultPath(), "{}");
  EXPECT_TRUE(profile.ReadEntry(profilePath()).isNull());
  EXPECT_FALSE(std::filesystem::exists(profilePath()));
  EXPECT_EQ(profile.GetLightInfo(), LightInfoRecord{});
  EXPECT_EQ(profile.GetAudioLight(), AudioLightRecord{});
  EXPECT_TRUE(profile.GetLightList().empty());
  EXPECT_TRUE(profile.GetKeyList().empty());

  profile.SetLightInfo(0x01020304, 0, 0, 0);
  EXPECT_EQ(profile.CurrentEntry()["LightInfo"]["SelectItem"].asInt(), 4);
}

TEST_F(BasicProfiledataTest, LightInfoTravelsAsThreeWordsAndAHalfWord) {
  LoadEntry("{}");
  profile.SetLightInfo(0x04030201, 0x08070601, 0xAA000000 | 0x00C0FFEE, 0x0D0C);
  const Json::Value& section = profile.CurrentEntry()["LightInfo"];
  EXPECT_EQ(section["SelectItem"].asInt(), 1);
  EXPECT_EQ(section["Fx"].asInt(), 4);
  EXPECT_EQ(section["MultiColor"].asInt(), 1);
  EXPECT_EQ(section["Blue"].asInt(), 8);
  EXPECT_EQ(section["ZZCCLedMode"].asInt(), 0xAA);
  EXPECT_EQ(section["CustomGroup"].asInt(), 0x0C);
  EXPECT_EQ(section["OldLedmode"].asInt(), 0x0D);

  const LightInfoRecord r = profile.GetLightInfo();
  EXPECT_EQ(r.Word1(), 0x04030201u);
  EXPECT_EQ(r.Word2(), 0x08070601u);
  EXPECT_EQ(r.Word3(), 0xAA000000u) << "the three unstored bytes read back as 0";
  EXPECT_EQ(r.Half4(), 0x0D0C);
}

TEST_F(BasicProfiledataTest, AudioLightTravelsAsTwoWordsAndAByte) {
  LoadEntry("{}");
  profile.SetAudioLight(0x04030201, 0x08070605, 1);
  const Json::Value& section = profile.CurrentEntry()["AudioLightInfo"];
  EXPECT_EQ(section["AudioMode"].asInt(), 1);
  EXPECT_EQ(section["BkColorB"].asInt(), 4);
  EXPECT_EQ(section["FgColorR"].asInt(), 5);
  EXPECT_EQ(section["FgColorB"].asInt(), 7);
  EXPECT_EQ(section["7ColorFlags"].asInt(), 8);
  EXPECT_EQ(section["ColorTypeFlags"].asInt(), 1);

  const AudioLightRecord r = profile.GetAudioLight();
  EXPECT_EQ(r.Word1(), 0x04030201u);
  EXPECT_EQ(r.Word2(), 0x01070605u) << "the multicolour flag reads back as a boolean";
  EXPECT_EQ(r.colorType, 1);
}

TEST_F(BasicProfiledataTest, MembersAreCutToTheirWidthAndFlagsReadAsBooleans) {
  LoadEntry(R"({"LightInfo": {"MultiColor": 2, "Red": 511, "Light": -1},
                "AudioLightInfo": {"7ColorFlags": 5, "ColorTypeFlags": true, "AudioMode": 3}})");
  const LightInfoRecord light = profile.GetLightInfo();
  EXPECT_EQ(light.multiColor, 1);
  EXPECT_EQ(light.red, 0xFF);
  EXPECT_EQ(light.light, 0xFF);
  const AudioLightRecord audio = profile.GetAudioLight();
  EXPECT_EQ(audio.sevenColor, 1);
  EXPECT_EQ(audio.colorType, 1);
  EXPECT_EQ(audio.audioMode, 3);
}

TEST_F(BasicProfiledataTest, MembersOfTheWrongTypeReadAsAbsent) {
  LoadEntry(R"({"LightInfo": {"SelectItem": "7", "Red": [1], "Green": {"v": 1}, "Blue": 9.5,
                              "Speed": 3.0, "MultiColor": "yes"},
                "LightList": {"0": {}}, "KeyList": [{"Assignment": "7340805"}, 42]})");
  const LightInfoRecord light = profile.GetLightInfo();
  EXPECT_EQ(light.selectItem, 0);
  EXPECT_EQ(light.red, 0);
  EXPECT_EQ(light.green, 0);
  EXPECT_EQ(light.blue, 0);
  EXPECT_EQ(light.speed, 3) << "an integral number is an integer";
  EXPECT_EQ(light.multiColor, 0);
  EXPECT_TRUE(profile.GetLightList().empty());
  const std::vector<KeyAssignEntry> keys = profile.GetKeyList();
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].current.Encoded(), 0u);
  EXPECT_EQ(keys[1].current.Encoded(), 0u);

  LoadEntry(R"({"LightInfo": [1, 2]})");
  EXPECT_EQ(profile.GetLightInfo(), LightInfoRecord{});
  profile.SetLightInfo(5, 0, 0, 0);
  EXPECT_EQ(profile.GetLightInfo().selectItem, 5) << "the writer replaces the broken section";
}

TEST_F(BasicProfiledataTest, MacroAssignmentSplitsAndIsWrittenBackUnchanged) {
  LoadEntry(R"({"KeyList": [{"Assignment": 2097193, "DefaultAssignment": 2097193},
                            {"Assignment": 7340805, "DefaultAssignment": 2097210}]})");
  std::vector<KeyAssignEntry> keys = profile.GetKeyList();
  ASSERT_EQ(keys.size(), 2u);
  const KeyAssignEntry& macro = keys[1];
  EXPECT_EQ(macro.current, (KeyAssignment{1, 0x70, 3, 5}));
  EXPECT_TRUE(macro.current.IsMacro());
  EXPECT_EQ(macro.factory, (KeyAssignment{1, 0x20, 0x00, 0x3A}));

  keys[0].current = {0, 0x71, 9, 1};
  profile.SetKeyList(keys);
  ASSERT_EQ(profile.SaveCurrentEntry(), kWriteOk);
  const Json::Value written = ParseText(ReadText(profilePath()));
  const Json::Value& list = written["Device"][0]["KeyList"];
  EXPECT_EQ(list[1]["Assignment"].asInt(), 7340805);
  EXPECT_EQ(list[0]["Assignment"].asInt(), 0x710901);
  EXPECT_EQ(list[0]["DefaultAssignment"].asInt(), 2097193) << "factory value is never written";
}

TEST_F(BasicProfiledataTest, LightListNullElementsAreEmptyEntries) {
  LoadEntry(R"({"LightList": [null, {"LEDREGMode": 2, "LEDBrightness": 24, "LEDSpeed": 3,
      "LEDDirection": true, "LEDMultiColor": 1, "red": 1, "green": 2, "blue": 3}]})");
  const std::vector<LightListEntry> list = profile.GetLightList();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0], LightListEntry{});
  EXPECT_EQ(list[1], (LightListEntry{2, 24, 3, 1, 1, 1, 2, 3, 1}));
}

TEST_F(BasicProfiledataTest, SavingKeepsTheOtherMembersAndNonAsciiNamesByteForByte) {
  const std::string name = "我的配置 «Über» 🎮";
  WriteText(profilePath(), R"({"profilename": ")" + name +
                               R"(", "profileUUID": "p1", "Device": [{"LightInfo": {}}, {"x": 1}]})");
  profile.ReadEntry(profilePath());
  profile.SetLightInfo(3, 0, 0, 0);
  ASSERT_EQ(profile.SaveCurrentEntry(), kWriteOk);

  const std::string text = ReadText(profilePath());
  EXPECT_NE(text.find(name), std::string::npos);
  const Json::Value written = ParseText(text);
  EXPECT_EQ(written["profilename"].asString(), name);
  EXPECT_EQ(written["profileUUID"].asString(), "p1");
  EXPECT_EQ(written["Device"][1]["x"].asInt(), 1);
  EXPECT_EQ(written["Device"][0]["LightInfo"]["SelectItem"].asInt(), 3);
}

TEST_F(BasicProfiledataTest, OtherEntryEditsAnotherProfileWithoutTouchingTheCurrentOne) {
  LoadEntry(R"({"KeyList": [{"Assignment": 1}]})");
  const std::string otherPath = platform::JoinPath(data(), "p2.Json");
  WriteText(otherPath, R"({"profileUUID": "p2", "Device": [{"KeyList": [{"Assignment": 7340805,
                          "DefaultAssignment": 2097193}]}]})");
  profile.ReadOtherEntry(otherPath);
  std::vector<KeyAssignEntry> keys = profile.GetOtherKeyList();
  ASSERT_EQ(keys.size(), 1u);
  keys[0].current = keys[0].factory;
  profile.SetOtherKeyList(keys);
  ASSERT_EQ(profile.SaveOtherEntry(otherPath), kWriteOk);

  EXPECT_EQ(ParseText(ReadText(otherPath))["Device"][0]["KeyList"][0]["Assignment"].asInt(),
            2097193);
  EXPECT_EQ(profile.GetKeyList()[0].current.Encoded(), 1u);
}

TEST_F(BasicProfiledataTest, FailedSaveReportsFailureAndKeepsTheFile) {
  LoadEntry("{}");
  const std::string before = ReadText(profilePath());
  profile.SetLightInfo(9, 0, 0, 0);
  profile.SetProfilePath(platform::JoinPath(data(), "missing-folder/p1.Json"));
  EXPECT_EQ(profile.SaveCurrentEntry(), kWriteFailed);
  EXPECT_EQ(ReadText(profilePath()), before);
}

TEST_F(BasicProfiledataTest, PathSettersIgnoreEmptyArguments) {
  profile.SetProfilePath("");
  profile.SetDefaultPath("");
  profile.SetConfigPath("");
  EXPECT_EQ(profile.GetProfilePath(), profilePath());
  EXPECT_EQ(profile.GetDefaultPath(), defaultPath());
  EXPECT_EQ(profile.GetConfigPath(), platform::JoinPath(data(), "kivra_light.config"));
}

// Light configuration documents and the custom effect they select.
class LightEffectsTest : public BasicProfiledataTest {
 protected:
  void WriteConfig(const std::string& folderPath, const std::string& guidMember) {
    WriteText(platform::JoinPath(folderPath, "kivra_light.config"),
              R"({"LightInfo": [[{"LightName": "a"}, {"LightName": "b")" + guidMember + "}]]}");
  }
  void WriteEffect(const std::string& path, int steps) {
    Json::Value doc;
    for (int i = 0; i < steps; ++i) {
      Json::Value step;
      step["LEDREGMode"] = 2;
      step["red"] = 10 + i;
      step["Time"] = 1500;
      step["Cyle"] = 3;
      doc["LEDEffectList"].append(step);
    }
    ASSERT_EQ(WriteJsonFile(path, doc), kWriteOk);
  }
  std::vector<LightEffectEntry> EffectsOfSelectItem(int item) {
    LoadEntry(R"({"LightInfo": {"SelectItem": )" + std::to_string(item) + "}}");
    profile.GetLightInfo();
    profile.LoadLightConfig(profile.GetConfigPath());
    return profile.GetLightEffects();
  }
};

TEST_F(LightEffectsTest, SelectedItemsGuidNamesTheEffectFileBesideTheConfiguration) {
  WriteConfig(data(), R"(, "Guid": "2026_01_02_03_04_05_006")");
  WriteEffect(platform::JoinPath(data(), "2026_01_02_03_04_05_006.light"), 2);
  const std::vector<LightEffectEntry> steps = EffectsOfSelectItem(1);
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[1].mode, 2);
  EXPECT_EQ(steps[1].red, 11);
  EXPECT_EQ(steps[1].time, 1500u);
  EXPECT_EQ(steps[1].cycle, 3u);
}

TEST_F(LightEffectsTest, MissingGuidOrConfigurationYieldsNoEffect) {
  WriteConfig(data(), "");
  EXPECT_TRUE(EffectsOfSelectItem(1).empty()) << "item without Guid";
  EXPECT_TRUE(EffectsOfSelectItem(5).empty()) << "item beyond the list";
  std::filesystem::remove(platform::JoinPath(data(), "kivra_light.config"));
  EXPECT_TRUE(EffectsOfSelectItem(1).empty()) << "no configuration at all";
}

TEST_F(LightEffectsTest, GuidThatIsNotAPlainNameIsRefused) {
  WriteEffect(folder.File("outside.light"), 1);
  WriteConfig(data(), R"(, "Guid": "../outside")");
  EXPECT_TRUE(EffectsOfSelectItem(1).empty());
  WriteConfig(data(), R"(, "Guid": ")" + folder.File("outside") + "\"");
  EXPECT_EQ(EffectsOfSelectItem(1).size(), 1u) << "an absolute Guid is used unchanged";
}

TEST_F(LightEffectsTest, ShippedConfigurationAndEffectsServeWhenTheUserHasNone) {
  WriteConfig(defaults(), R"(, "Guid": "shipped")");
  WriteEffect(platform::JoinPath(defaults(), "shipped.light"), 3);
  EXPECT_EQ(EffectsOfSelectItem(1).size(), 3u);

  WriteConfig(data(), R"(, "Guid": "shipped")");  // the user's own list, effect still shipped
  EXPECT_EQ(EffectsOfSelectItem(1).size(), 3u);
}

}  // namespace
}  // namespace velmora::profiles
