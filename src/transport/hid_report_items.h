#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/hid_descriptor.h"
#include "platform/hid_types.h"

namespace velmora::transport {

// One control of one report type, filled from received reports by UnpackInputReport.
struct HidReportItem {
  uint8_t isButton = 0;  // 1: button (usage-list) item, 0: value item
  uint8_t reserved = 0;
  uint16_t usagePage = 0;
  platform::HidpStatus status = platform::HidpStatus::Success;  // last parser status
  uint32_t reportId = 0;
  uint32_t isDataSet = 0;  // 1 once filled from a report

  struct ButtonPart {
    uint32_t usageMin = 0;
    uint32_t usageMax = 0;
    uint32_t maxUsageCount = 0;
    std::vector<uint16_t> usages;  // maxUsageCount entries; pressed usages packed to the front
  } button;

  struct ValuePart {
    uint16_t usage = 0;
    uint32_t value = 0;
    int32_t scaledValue = 0;
  } value;
};

// The items of one report type: one per button capability in capability order, then one per
// value usage (a ranged value capability gives one item per usage, ascending).
std::vector<HidReportItem> BuildReportItems(platform::HidReportType type,
                                            const platform::HidPreparsedData& preparsed);

// Fills the items whose report id equals byte 0 of the report. Returns 1, or 0 when the
// parser refuses a value (filling stops there) or the report is empty. Items of other report
// ids are left unchanged.
int UnpackInputReport(std::span<const uint8_t> report, platform::HidReportType type,
                      std::span<HidReportItem> items, const platform::HidPreparsedData& preparsed);

}  // namespace velmora::transport
