#pragma once

#include <cstdint>
#include <vector>

#include "profiles/basic_profiledata.h"
#include "profiles/mouse_records.h"
#include "profiles/stage_words.h"

namespace velmora::profiles {

// The mouse's profile document: adds "DPIStages", "SystemStages", "ReportStages" and
// "CorrectInfo".
class CMouseProfiledata : public CBasicProfiledata {
 public:
  // Reads "StageDPIs" into the stored stage list (element j replaces stage j or is appended;
  // the list never shrinks) and "StageActive" into the active stage; returns the list.
  std::vector<DPIStageRecord> GetDPIStages();
  // Replaces the stored list and writes every stage.
  void SetDPIStages(const std::vector<DPIStageRecord>& stages);
  void SetActiveStage(uint32_t stage);
  uint32_t GetActiveStage() const { return activeStage_; }

  // Word 1 = "DoubleClickTime" | "MouseSpeed" << 16, word 2 = "PointerPrecision" |
  // "ScorllPage" << 16, word 3 = "WheelScorlllinse" | "ReportStages"/"StageActive" << 16.
  StageWords GetMouseSystemStages();
  void SetMouseSystemStages(uint32_t w1, uint32_t w2, uint32_t w3);

  std::vector<CorrectInfoEntry> GetCorrectInfo();

 private:
  std::vector<DPIStageRecord> dpiStages_;
  uint32_t activeStage_ = 0;
  StageWords systemStages_{};
  std::vector<CorrectInfoEntry> correctInfo_;
};

}  // namespace velmora::profiles
