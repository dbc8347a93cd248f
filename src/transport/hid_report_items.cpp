#include "transport/hid_report_items.h"

#include <algorithm>

namespace velmora::transport {
namespace {

using platform::HidpButtonCaps;
using platform::HidpStatus;
using platform::HidpValueCaps;
using platform::HidPreparsedData;
using platform::HidReportType;

HidReportItem MakeButtonItem(HidReportType type, const HidpButtonCaps& caps,
                             const HidPreparsedData& preparsed) {
  HidReportItem item;
  item.isButton = 1;
  item.usagePage = caps.usagePage;
  item.reportId = caps.reportId;
  item.button.usageMin = caps.usageMin;
  item.button.usageMax = caps.isRange ? caps.usageMax : caps.usageMin;
  item.button.maxUsageCount = platform::HidpMaxUsageListLength(type, caps.usagePage, preparsed);
  item.button.usages.assign(item.button.maxUsageCount, 0);
  return item;
}

HidReportItem MakeValueItem(const HidpValueCaps& caps, uint16_t usage) {
  HidReportItem item;
  item.usagePage = caps.usagePage;
  item.reportId = caps.reportId;
  item.value.usage = usage;
  return item;
}

void UnpackButtonItem(std::span<const uint8_t> report, HidReportType type, HidReportItem& item,
                      const HidPreparsedData& preparsed) {
  auto& usages = item.button.usages;
  uint32_t length = static_cast<uint32_t>(usages.size());
  item.status = platform::HidpGetUsages(type, item.usagePage, 0, usages.data(), &length,
                                        preparsed, report);
  // The parser may report a larger count than fits (buffer too small): never look past it.
  const size_t listed = std::min<size_t>(length, usages.size());
  size_t kept = 0;
  for (size_t i = 0; i < listed; ++i) {
    if (usages[i] >= item.button.usageMin && usages[i] <= item.button.usageMax) {
      usages[kept++] = usages[i];
    }
  }
  if (kept < usages.size()) usages[kept] = 0;
}

bool UnpackValueItem(std::span<const uint8_t> report, HidReportType type, HidReportItem& item,
                     const HidPreparsedData& preparsed) {
  item.status = platform::HidpGetUsageValue(type, item.usagePage, 0, item.value.usage,
                                            &item.value.value, preparsed, report);
  if (item.status != HidpStatus::Success) return false;
  platform::HidpGetScaledUsageValue(type, item.usagePage, 0, item.value.usage,
                                    &item.value.scaledValue, preparsed, report);
  return true;
}

}  // namespace

std::vector<HidReportItem> BuildReportItems(HidReportType type, const HidPreparsedData& preparsed) {
  std::vector<HidReportItem> items;
  for (const HidpButtonCaps& caps : preparsed.ButtonCaps(type)) {
    items.push_back(MakeButtonItem(type, caps, preparsed));
  }
  for (const HidpValueCaps& caps : preparsed.ValueCaps(type)) {
    if (!caps.isRange) {
      items.push_back(MakeValueItem(caps, caps.usageMin));
      continue;
    }
    for (uint32_t usage = caps.usageMin; usage <= caps.usageMax; ++usage) {
      items.push_back(MakeValueItem(caps, static_cast<uint16_t>(usage)));
    }
  }
  return items;
}

int UnpackInputReport(std::span<const uint8_t> report, HidReportType type,
                      std::span<HidReportItem> items, const HidPreparsedData& preparsed) {
  if (report.empty()) return 0;
  const uint32_t reportId = report[0];
  for (HidReportItem& item : items) {
    if (item.reportId != reportId) continue;
    if (item.isButton) {
      UnpackButtonItem(report, type, item, preparsed);
    } else if (!UnpackValueItem(report, type, item, preparsed)) {
      return 0;
    }
    item.isDataSet = 1;
  }
  return 1;
}

}  // namespace velmora::transport
