// Every reader and writer of every family on documents whose sections, elements and members
// have the wrong JSON type: nothing may throw, readers yield empty results, writers repair.
#include <gtest/gtest.h>

#include "profiles/hd7720_profiledata.h"
#include "profiles/keyboard_profiledata.h"
#include "profiles/mouse_profiledata.h"
#include "profile_fixture.h"

namespace velmora::profiles {
namespace {

using testing::ParseText;
using testing::ReadText;
using testing::WriteText;

const char* kSections[] = {"LightInfo",       "AudioLightInfo",     "LightList",
                           "KeyList",         "SystemStages",       "CustomLightMode",
                           "DPIStages",       "ReportStages",       "CorrectInfo",
                           "SystemSetStages", "EQHzValueInfo",      "CustomEQNameInfo",
                           "CustomEQHzValueInfo"};

// Values of every JSON type, including containers holding the wrong types.
const char* kHostileValues[] = {"null", "true", "-7", "1e300", "\"text\"", "[]",
                                "[null, 3, \"x\", [[]]]", "{}", R"({"StageDPIs": 4,
                                "LightColorInfo": [7, [3]], "StageActive": "1"})"};

void ExerciseAll(CKeyboardProfiledata& keyboard, CMouseProfiledata& mouse,
                 CHd7720Profiledata& headset) {
  for (CBasicProfiledata* basic : {static_cast<CBasicProfiledata*>(&keyboard),
                                   static_cast<CBasicProfiledata*>(&mouse),
                                   static_cast<CBasicProfiledata*>(&headset)}) {
    basic->GetLightInfo();
    basic->GetAudioLight();
    basic->GetLightList();
    basic->GetKeyList();
  }
  keyboard.GetSystemStages();
  keyboard.GetCustomLightGroup();
  keyboard.GetCustomLightColors(1, 4);
  mouse.GetDPIStages();
  mouse.GetMouseSystemStages();
  mouse.GetCorrectInfo();
  headset.GetSystemSetStages();
  headset.GetEQValues(3);
  headset.GetCustomEQNames();
  headset.GetCustomEQValues(2);

  keyboard.SetLightInfo(1, 2, 3, 4);
  keyboard.SetAudioLight(1, 2, 3);
  keyboard.SetKeyList({{{0, 0x20, 0, 4}, {}}});
  keyboard.SetSystemStages(1, 2, 3);
  keyboard.SetCustomLightColors({{1, 2, 3, 4}}, 1);
  keyboard.SetCustomLightGroup(1);
  mouse.SetDPIStages({{1, 0, 800, 800, 1, 2, 3}});
  mouse.SetActiveStage(0);
  mouse.SetMouseSystemStages(1, 2, 3);
  headset.SetSystemSetStages({1, 2, 3, 4, 5, 6, 7, 8});
  headset.SetEQValues(3, {1, 2});
  headset.SetCustomEQNames({"n"});
  headset.SetCustomEQValues(2, {3});
}

class HostileDocumentTest : public testing::ProfileFixture<CKeyboardProfiledata> {};

TEST_F(HostileDocumentTest, WrongTypesNeverThrowAndWritersRepairTheSection) {
  for (const char* section : kSections) {
    for (const char* value : kHostileValues) {
      SCOPED_TRACE(std::string(section) + " = " + value);
      WriteText(path(), std::string(R"({"Device": [{")") + section + "\": " + value + "}]}");
      CKeyboardProfiledata keyboard;
      CMouseProfiledata mouse;
      CHd7720Profiledata headset;
      for (CBasicProfiledata* p : {static_cast<CBasicProfiledata*>(&keyboard),
                                   static_cast<CBasicProfiledata*>(&mouse),
                                   static_cast<CBasicProfiledata*>(&headset)}) {
        p->ReadEntry(path());
      }
      ASSERT_NO_THROW(ExerciseAll(keyboard, mouse, headset));
      EXPECT_EQ(keyboard.GetSystemStages(), (StageWords{1, 2, 3}));
      EXPECT_EQ(keyboard.GetCustomLightColors(1, 1)[0], (CustomLightColor{1, 2, 3, 4}));
      EXPECT_EQ(mouse.GetDPIStages()[0].dpiX, 800);
      EXPECT_EQ(headset.GetEQValues(3)[1], 2);
      EXPECT_EQ(headset.GetCustomEQNames(), std::vector<std::string>{"n"});
    }
  }
}

TEST_F(HostileDocumentTest, EntriesAndRootsOfTheWrongTypeNeverThrow) {
  const char* documents[] = {"[]", "7", "\"x\"", R"({"Device": {}})", R"({"Device": [5]})",
                             R"({"Device": [[1, 2]]})", R"({"Device": [null, {}]})"};
  for (const char* text : documents) {
    SCOPED_TRACE(text);
    WriteText(path(), text);
    CKeyboardProfiledata keyboard;
    CMouseProfiledata mouse;
    CHd7720Profiledata headset;
    keyboard.SetProfilePath(path());
    keyboard.ReadEntry(path());
    mouse.ReadEntry(path());
    headset.ReadEntry(path());
    ASSERT_NO_THROW(ExerciseAll(keyboard, mouse, headset));
    EXPECT_EQ(keyboard.SaveCurrentEntry(), 0);
    EXPECT_EQ(ParseText(ReadText(path()))["Device"][0]["LightInfo"]["SelectItem"].asInt(), 1);
  }
}

}  // namespace
}  // namespace velmora::profiles
