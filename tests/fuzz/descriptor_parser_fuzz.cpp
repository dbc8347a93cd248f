// Fuzzes the report-descriptor parser and every report accessor on what it produces.
// Input: a 2-byte little-endian descriptor length, the descriptor, then report bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/hid_descriptor.h"
#include "platform/hid_interfaces.h"

namespace {

using namespace velmora::platform;

uint16_t ReportLength(const HidpCaps& caps, HidReportType type) {
  switch (type) {
    case HidReportType::Input: return caps.inputReportByteLength;
    case HidReportType::Output: return caps.outputReportByteLength;
    default: return caps.featureReportByteLength;
  }
}

void ExerciseUsages(HidReportType type, uint16_t page, uint16_t link, const HidPreparsedData& pp,
                    std::span<const uint8_t> report) {
  const uint32_t max = HidpMaxUsageListLength(type, page, pp);
  std::vector<uint16_t> list(max + 1);
  for (uint32_t capacity : {max, max / 2, 0u}) {
    uint32_t length = capacity;
    HidpGetUsages(type, page, link, list.data(), &length, pp, report);
  }
}

void ExerciseValue(HidReportType type, const HidpValueCaps& cap, const HidPreparsedData& pp,
                   std::span<const uint8_t> report) {
  for (uint16_t usage : {cap.usageMin, cap.usageMax}) {
    uint32_t raw = 0;
    int32_t scaled = 0;
    HidpGetUsageValue(type, cap.usagePage, cap.linkCollection, usage, &raw, pp, report);
    HidpGetScaledUsageValue(type, cap.usagePage, 0, usage, &scaled, pp, report);
  }
}

void ExerciseCollection(const HidPreparsedData& pp, std::span<const uint8_t> tail) {
  for (HidReportType type : {HidReportType::Input, HidReportType::Output, HidReportType::Feature}) {
    // Once as given, once at the collection's report length (more fields reachable).
    std::vector<uint8_t> sized(ReportLength(pp.Caps(), type));
    for (size_t i = 0; i < sized.size() && i < tail.size(); ++i) sized[i] = tail[i];
    for (std::span<const uint8_t> report : {tail, std::span<const uint8_t>(sized)}) {
      HidpMaxUsageListLength(type, 0, pp);
      for (const HidpButtonCaps& cap : pp.ButtonCaps(type)) {
        ExerciseUsages(type, cap.usagePage, 0, pp, report);
        ExerciseUsages(type, cap.usagePage, cap.linkCollection, pp, report);
      }
      for (const HidpValueCaps& cap : pp.ValueCaps(type)) ExerciseValue(type, cap, pp, report);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> input(data, size);
  size_t descriptorLength = size;
  size_t start = 0;
  if (size >= 2) {
    descriptorLength = std::min<size_t>(size - 2, data[0] | (size_t{data[1]} << 8));
    start = 2;
  }
  const auto descriptor = input.subspan(start, descriptorLength);
  const auto report = input.subspan(start + descriptorLength);
  std::vector<HidPreparsedData> collections;
  ParseReportDescriptor(descriptor, collections);
  for (const HidPreparsedData& pp : collections) ExerciseCollection(pp, report);
  SplitHidInterfaces("fuzz", HidAttributes{}, 0, descriptor);
  return 0;
}
