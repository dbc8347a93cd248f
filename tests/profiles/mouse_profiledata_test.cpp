#include "profiles/mouse_profiledata.h"

#include <gtest/gtest.h>

#include "profile_fixture.h"

namespace velmora::profiles {
namespace {

using MouseProfiledataTest = testing::ProfileFixture<CMouseProfiledata>;

std::string StagesEntry(int active, int count) {
  std::string stages;
  for (int j = 0; j < count; ++j) {
    if (j > 0) stages += ",";
    stages += R"({"StageActive": 1, "StageXY": 0, "StageDPIX": )" + std::to_string(100 * (j + 1)) +
              R"(, "StageDPIY": 70000, "StageColorR": )" + std::to_string(j) + "}";
  }
  return R"({"DPIStages": {"StageActive": )" + std::to_string(active) + R"(, "StageDPIs": [)" +
         stages + "]}}";
}

TEST_F(MouseProfiledataTest, FewerStagesLeaveTheLaterStoredStagesInPlace) {
  LoadEntry(StagesEntry(4, 5));
  ASSERT_EQ(profile.GetDPIStages().size(), 5u);
  EXPECT_EQ(profile.GetActiveStage(), 4u);

  LoadEntry(R"({"DPIStages": {"StageActive": 1, "StageDPIs": [{"StageDPIX": 9}, {"StageDPIX": 8}]}})");
  const std::vector<DPIStageRecord> stages = profile.GetDPIStages();
  ASSERT_EQ(stages.size(), 5u);
  EXPECT_EQ(stages[0].dpiX, 9);
  EXPECT_EQ(stages[1].dpiX, 8);
  EXPECT_EQ(stages[2].dpiX, 300);
  EXPECT_EQ(stages[4].dpiX, 500);
  EXPECT_EQ(stages[4].dpiY, 70000 & 0xFFFF);
  EXPECT_EQ(profile.GetActiveStage(), 1u);
}

TEST_F(MouseProfiledataTest, SetStagesWritesEveryStageAndTheActiveStage) {
  LoadEntry("{}");
  const std::vector<DPIStageRecord> stages = {{1, 1, 800, 1600, 255, 0, 0},
                                              {0, 0, 3200, 3200, 0, 0, 255}};
  profile.SetDPIStages(stages);
  profile.SetActiveStage(1);
  const Json::Value saved = Saved()["DPIStages"];
  EXPECT_EQ(saved["StageActive"].asInt(), 1);
  ASSERT_EQ(saved["StageDPIs"].size(), 2u);
  EXPECT_EQ(saved["StageDPIs"][0]["StageDPIY"].asInt(), 1600);
  EXPECT_EQ(saved["StageDPIs"][1]["StageColorB"].asInt(), 255);

  CMouseProfiledata reread;
  reread.ReadEntry(path());
  EXPECT_EQ(reread.GetDPIStages(), stages);
  EXPECT_EQ(reread.GetActiveStage(), 1u);
}

TEST_F(MouseProfiledataTest, StageBytesAreLittleEndian) {
  uint8_t bytes[DPIStageRecord::kByteSize];
  const DPIStageRecord stage{1, 0, 0x1234, 0xABCD, 7, 8, 9};
  stage.ToBytes(bytes);
  const uint8_t expected[] = {1, 0, 0x34, 0x12, 0xCD, 0xAB, 7, 8, 9};
  EXPECT_TRUE(std::equal(bytes, bytes + 9, expected));
  EXPECT_EQ(DPIStageRecord::FromBytes(bytes), stage);
}

TEST_F(MouseProfiledataTest, ReportRateHalfWordIsReadOnlyWhenReportStagesExists) {
  LoadEntry(R"({"SystemStages": {"DoubleClickTime": 500, "MouseSpeed": 10,
               "PointerPrecision": 1, "ScorllPage": 0, "WheelScorlllinse": 3}})");
  EXPECT_EQ(profile.GetMouseSystemStages(), (StageWords{500 | 10u << 16, 1, 3}));

  profile.SetMouseSystemStages(0x00060190, 0x00010000, 0x00040005);
  const Json::Value saved = Saved();
  EXPECT_EQ(saved["SystemStages"]["DoubleClickTime"].asInt(), 400);
  EXPECT_EQ(saved["SystemStages"]["MouseSpeed"].asInt(), 6);
  EXPECT_EQ(saved["SystemStages"]["ScorllPage"].asInt(), 1);
  EXPECT_EQ(saved["SystemStages"]["WheelScorlllinse"].asInt(), 5);
  EXPECT_EQ(saved["ReportStages"]["StageActive"].asInt(), 4);
  EXPECT_EQ(profile.GetMouseSystemStages()[2], 0x00040005u);
}

TEST_F(MouseProfiledataTest, CorrectInfoKeepsItsNames) {
  LoadEntry(R"({"CorrectInfo": [{"CorrectPixThresh": 3, "CorrectMinSq": 4, "CorrectSelect": 1,
                                 "CorrectName": "直线修正"}, {"CorrectName": 5}]})");
  const std::vector<CorrectInfoEntry> info = profile.GetCorrectInfo();
  ASSERT_EQ(info.size(), 2u);
  EXPECT_EQ(info[0], (CorrectInfoEntry{3, 4, 1, "直线修正"}));
  EXPECT_EQ(info[1], CorrectInfoEntry{});
}

}  // namespace
}  // namespace velmora::profiles
