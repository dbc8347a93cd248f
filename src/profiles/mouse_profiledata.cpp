#include "profiles/mouse_profiledata.h"

#include "profiles/json_access.h"

namespace velmora::profiles {
namespace {

constexpr const char* kDPIStages = "DPIStages";
constexpr const char* kStageDPIs = "StageDPIs";
constexpr const char* kStageActive = "StageActive";
constexpr const char* kSystemStages = "SystemStages";
constexpr const char* kReportStages = "ReportStages";

DPIStageRecord ReadStage(const Json::Value& element) {
  DPIStageRecord s;
  s.enabled = ByteMember(element, "StageActive");
  s.xyFlag = ByteMember(element, "StageXY");
  s.dpiX = HalfMember(element, "StageDPIX");
  s.dpiY = HalfMember(element, "StageDPIY");
  s.red = ByteMember(element, "StageColorR");
  s.green = ByteMember(element, "StageColorG");
  s.blue = ByteMember(element, "StageColorB");
  return s;
}

void WriteStage(Json::Value& element, const DPIStageRecord& s) {
  if (!element.isObject()) element = Json::Value(Json::objectValue);
  element["StageActive"] = s.enabled;
  element["StageXY"] = s.xyFlag;
  element["StageDPIX"] = s.dpiX;
  element["StageDPIY"] = s.dpiY;
  element["StageColorR"] = s.red;
  element["StageColorG"] = s.green;
  element["StageColorB"] = s.blue;
}

}  // namespace

std::vector<DPIStageRecord> CMouseProfiledata::GetDPIStages() {
  const Json::Value* section = FindSection(kDPIStages);
  activeStage_ = section ? static_cast<uint32_t>(IntMember(*section, kStageActive)) : 0;
  const Json::Value* stages = section ? FindArray(*section, kStageDPIs) : nullptr;
  if (stages == nullptr) return dpiStages_;
  for (Json::ArrayIndex j = 0; j < stages->size(); ++j) {
    const DPIStageRecord stage = ReadStage((*stages)[j]);
    if (j < dpiStages_.size()) {
      dpiStages_[j] = stage;
    } else {
      dpiStages_.push_back(stage);
    }
  }
  return dpiStages_;
}

void CMouseProfiledata::SetDPIStages(const std::vector<DPIStageRecord>& stages) {
  dpiStages_ = stages;
  Json::Value& list = WritableMember(WritableSection(kDPIStages), kStageDPIs);
  for (size_t j = 0; j < stages.size(); ++j) {
    Json::Value* element = WritableElement(list, static_cast<Json::ArrayIndex>(j));
    if (element == nullptr) return;
    WriteStage(*element, stages[j]);
  }
}

void CMouseProfiledata::SetActiveStage(uint32_t stage) {
  activeStage_ = stage;
  WritableSection(kDPIStages)[kStageActive] = stage;
}

StageWords CMouseProfiledata::GetMouseSystemStages() {
  systemStages_ = {};
  if (const Json::Value* section = FindSection(kSystemStages)) {
    systemStages_[0] = JoinHalves(HalfMember(*section, "DoubleClickTime"),
                                  HalfMember(*section, "MouseSpeed"));
    systemStages_[1] = JoinHalves(HalfMember(*section, "PointerPrecision"),
                                  HalfMember(*section, "ScorllPage"));
    systemStages_[2] = HalfMember(*section, "WheelScorlllinse");
  }
  if (const Json::Value* report = FindSection(kReportStages)) {
    systemStages_[2] = JoinHalves(systemStages_[2], HalfMember(*report, kStageActive));
  }
  return systemStages_;
}

void CMouseProfiledata::SetMouseSystemStages(uint32_t w1, uint32_t w2, uint32_t w3) {
  Json::Value& section = WritableSection(kSystemStages);
  section["DoubleClickTime"] = LowHalf(w1);
  section["MouseSpeed"] = HighHalf(w1);
  section["PointerPrecision"] = LowHalf(w2);
  section["ScorllPage"] = HighHalf(w2);
  section["WheelScorlllinse"] = LowHalf(w3);
  WritableSection(kReportStages)[kStageActive] = HighHalf(w3);
}

std::vector<CorrectInfoEntry> CMouseProfiledata::GetCorrectInfo() {
  correctInfo_.clear();
  const Json::Value* list = FindArray(CurrentEntry(), "CorrectInfo");
  if (list == nullptr) return correctInfo_;
  for (const Json::Value& element : *list) {
    correctInfo_.push_back({ByteMember(element, "CorrectPixThresh"),
                            ByteMember(element, "CorrectMinSq"),
                            ByteMember(element, "CorrectSelect"),
                            StringMember(element, "CorrectName")});
  }
  return correctInfo_;
}

}  // namespace velmora::profiles
