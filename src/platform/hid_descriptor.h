#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/hid_types.h"

namespace velmora::platform {

// The parsed form of one top-level collection of a report descriptor: what Windows keeps as
// "preparsed data". Capabilities are listed per report type in the order Windows lists them.
class HidPreparsedData {
 public:
  const HidpCaps& Caps() const { return caps_; }
  std::span<const HidpButtonCaps> ButtonCaps(HidReportType type) const {
    return buttonCaps_[static_cast<int>(type)];
  }
  std::span<const HidpValueCaps> ValueCaps(HidReportType type) const {
    return valueCaps_[static_cast<int>(type)];
  }
  // Report ids used by this collection's reports, ascending; empty when it uses none.
  const std::vector<uint8_t>& ReportIds() const { return reportIds_; }
  bool UsesReportIds() const { return !reportIds_.empty(); }
  // True when the collection carries a report with this id (id 0 when it uses none).
  bool HasReportId(uint8_t id) const;

 private:
  friend class HidDescriptorParser;
  HidpCaps caps_;
  std::vector<HidpButtonCaps> buttonCaps_[kHidReportTypeCount];
  std::vector<HidpValueCaps> valueCaps_[kHidReportTypeCount];
  std::vector<uint8_t> reportIds_;
};

// Splits a raw report descriptor into its top-level collections, in descriptor order.
// Returns false for a malformed descriptor (out contains no collections then). Never reads
// outside the given bytes.
bool ParseReportDescriptor(std::span<const uint8_t> descriptor, std::vector<HidPreparsedData>& out);

// Stand-ins for HidP_MaxUsageListLength, HidP_GetUsages, HidP_GetUsageValue and
// HidP_GetScaledUsageValue, with the same rules. usagePage 0 means any page where Windows
// allows it. The report starts with its report-id byte (0 when the collection uses none).
// None of them reads outside the report or writes past the caller's usage list.
uint32_t HidpMaxUsageListLength(HidReportType type, uint16_t usagePage, const HidPreparsedData& pp);
HidpStatus HidpGetUsages(HidReportType type, uint16_t usagePage, uint16_t linkCollection,
                         uint16_t* usageList, uint32_t* usageLength, const HidPreparsedData& pp,
                         std::span<const uint8_t> report);
HidpStatus HidpGetUsageValue(HidReportType type, uint16_t usagePage, uint16_t linkCollection,
                             uint16_t usage, uint32_t* value, const HidPreparsedData& pp,
                             std::span<const uint8_t> report);
HidpStatus HidpGetScaledUsageValue(HidReportType type, uint16_t usagePage, uint16_t linkCollection,
                                   uint16_t usage, int32_t* value, const HidPreparsedData& pp,
                                   std::span<const uint8_t> report);

}  // namespace velmora::platform
