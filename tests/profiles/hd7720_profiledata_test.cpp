#include "profiles/hd7720_profiledata.h"

#include <gtest/gtest.h>

#include "profile_fixture.h"

namespace velmora::profiles {
namespace {

using Hd7720ProfiledataTest = testing::ProfileFixture<CHd7720Profiledata>;

// "EQHzValueInfo" whose element i holds ten bands of value i * 100 + band.
std::string PresetEntry() {
  std::string lists;
  for (int i = 0; i <= 12; ++i) {
    lists += i > 0 ? ",[" : "[";
    for (int band = 0; band < 10; ++band) {
      lists += (band > 0 ? "," : "") + std::string(R"({"value": )") +
               std::to_string(i * 100 + band) + "}";
    }
    lists += "]";
  }
  return R"({"EQHzValueInfo": [)" + lists + "]}";
}

TEST_F(Hd7720ProfiledataTest, EqualiserTypesMapToTheirPresetIndex) {
  struct Case {
    uint32_t type;
    int index;
  };
  const Case cases[] = {{0, 1}, {1, 1}, {5, 5}, {12, 12}, {14, 1}, {20, 1}, {0xFFFFFFFF, 1}};
  LoadEntry(PresetEntry());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    const std::vector<int32_t> bands = profile.GetEQValues(c.type);
    ASSERT_EQ(bands.size(), 10u);
    EXPECT_EQ(bands[0], c.index * 100);
    EXPECT_EQ(bands[9], c.index * 100 + 9);
  }
}

TEST_F(Hd7720ProfiledataTest, CustomTypeReadsNothingAndWritesNothing) {
  LoadEntry(PresetEntry());
  const Json::Value before = profile.CurrentEntry();
  EXPECT_TRUE(profile.GetEQValues(kCustomEqType).empty());
  profile.SetEQValues(kCustomEqType, std::vector<int32_t>(10, 7));
  EXPECT_EQ(profile.CurrentEntry(), before);
}

TEST_F(Hd7720ProfiledataTest, AbsentPresetIsCreatedWithZeroBandsButAShortOneIsNot) {
  LoadEntry(R"({"EQHzValueInfo": [null, [{"value": 4}], "junk"]})");
  EXPECT_EQ(profile.GetEQValues(3), std::vector<int32_t>(10, 0));
  EXPECT_EQ(profile.GetEQValues(2), std::vector<int32_t>(10, 0));
  std::vector<int32_t> shortPreset(10, 0);
  shortPreset[0] = 4;
  EXPECT_EQ(profile.GetEQValues(1), shortPreset);

  const Json::Value saved = Saved()["EQHzValueInfo"];
  ASSERT_EQ(saved[3].size(), 10u);
  EXPECT_EQ(saved[3][9]["value"].asInt(), 0);
  EXPECT_EQ(saved[2].size(), 10u) << "an element of the wrong type counts as absent";
  EXPECT_EQ(saved[1].size(), 1u) << "a present element is only read";
}

TEST_F(Hd7720ProfiledataTest, WritersStoreAllTenBands) {
  LoadEntry("{}");
  profile.SetEQValues(2, {-6, -3, 0, 3, 6});
  profile.SetCustomEQValues(1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
  const Json::Value saved = Saved();
  ASSERT_EQ(saved["EQHzValueInfo"][2].size(), 10u);
  EXPECT_EQ(saved["EQHzValueInfo"][2][0]["value"].asInt(), -6);
  EXPECT_EQ(saved["EQHzValueInfo"][2][9]["value"].asInt(), 0);
  ASSERT_EQ(saved["CustomEQHzValueInfo"][1].size(), 10u);

  CHd7720Profiledata reread;
  reread.ReadEntry(path());
  EXPECT_EQ(reread.GetCustomEQValues(1), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(reread.GetEQValues(2), (std::vector<int32_t>{-6, -3, 0, 3, 6, 0, 0, 0, 0, 0}));
}

TEST_F(Hd7720ProfiledataTest, CustomNamesAreReplacedWholeAndKeptByteForByte) {
  LoadEntry(R"({"CustomEQNameInfo": [{"Name": "a"}, {"Name": "b"}, {"Name": "c"}]})");
  EXPECT_EQ(profile.GetCustomEQNames(), (std::vector<std::string>{"a", "b", "c"}));
  profile.SetCustomEQNames({"低音 ✓", "Ü"});
  CHd7720Profiledata reread;
  Saved();
  reread.ReadEntry(path());
  EXPECT_EQ(reread.GetCustomEQNames(), (std::vector<std::string>{"低音 ✓", "Ü"}));
}

TEST_F(Hd7720ProfiledataTest, SystemSetValuesKeepTheirOrder) {
  LoadEntry(R"({"SystemSetStages": {"MagicEnable": 1, "MagicType": 2, "EqType": 13,
      "CustomEqSeletIndex": 4, "MicInSelect": 1, "MicInValue": 80, "MicMoniterSelect": 0,
      "MicMoniterValue": -5}})");
  EXPECT_EQ(profile.GetSystemSetStages(), (SystemSetValues{1, 2, 13, 4, 1, 80, 0, -5}));
  profile.SetSystemSetStages({0, 3, 7, 0, 0, 50, 1, 60});
  CHd7720Profiledata reread;
  Saved();
  reread.ReadEntry(path());
  EXPECT_EQ(reread.GetSystemSetStages(), (SystemSetValues{0, 3, 7, 0, 0, 50, 1, 60}));
}

}  // namespace
}  // namespace velmora::profiles
