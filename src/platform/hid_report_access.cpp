// Reading usages and values out of a report with the capabilities of a parsed collection:
// the stand-ins for HidP_MaxUsageListLength, HidP_GetUsages, HidP_GetUsageValue and
// HidP_GetScaledUsageValue. Every bit access is checked against the report's size.
#include <algorithm>

#include "platform/hid_descriptor.h"

namespace velmora::platform {

namespace {

bool ValidType(HidReportType type) {
  const int t = static_cast<int>(type);
  return t >= 0 && t < kHidReportTypeCount;
}

// True when the report holds bits [bitOffset, bitOffset + bits) of its data part.
bool Holds(std::span<const uint8_t> report, uint64_t bitOffset, uint64_t bits) {
  if (report.empty()) return false;
  return bitOffset + bits <= (uint64_t{report.size()} - 1) * 8;
}

// Element `index` of a field, as unsigned bits (fields wider than 32 bits yield their low
// 32 bits). The caller has checked that the report holds the field.
uint32_t ReadBits(std::span<const uint8_t> report, const HidReportField& field, uint32_t index) {
  const uint64_t start = uint64_t{field.bitOffset} + uint64_t{index} * field.bitSize;
  const uint32_t width = std::min<uint32_t>(field.bitSize, 32);
  uint32_t value = 0;
  for (uint32_t bit = 0; bit < width; ++bit) {
    const uint64_t at = start + bit;
    const uint8_t byte = report[1 + static_cast<size_t>(at / 8)];
    value |= static_cast<uint32_t>((byte >> (at % 8)) & 1u) << bit;
  }
  return value;
}

bool HoldsField(std::span<const uint8_t> report, const HidReportField& field) {
  return Holds(report, field.bitOffset, uint64_t{field.bitSize} * field.reportCount);
}

bool InLink(uint16_t wanted, uint16_t link) { return wanted == 0 || wanted == link; }

// Appends one usage; counts it even when the list is full so the caller learns the length needed.
struct UsageSink {
  uint16_t* list;
  uint32_t capacity;
  uint32_t count = 0;
  void Add(uint16_t usage) {
    if (count < capacity && list != nullptr) list[count] = usage;
    ++count;
  }
};

void CollectArrayUsages(const HidpButtonCaps& cap, std::span<const uint8_t> report, UsageSink& sink) {
  const HidReportField& f = cap.field;
  const uint64_t span = uint64_t{cap.usageMax} - cap.usageMin;
  for (uint32_t i = 0; i < f.reportCount; ++i) {
    const int64_t selector = static_cast<int64_t>(ReadBits(report, f, i));
    if (selector < f.logicalMin || selector > f.logicalMax) continue;
    const int64_t position = selector - f.logicalMin - int64_t{f.arrayPosition};
    if (position < 0 || static_cast<uint64_t>(position) > span) continue;
    const uint16_t usage = static_cast<uint16_t>(cap.usageMin + position);
    if (usage != 0) sink.Add(usage);  // usage 0 is the "nothing pressed" selector
  }
}

void CollectVariableUsages(const HidpButtonCaps& cap, std::span<const uint8_t> report, UsageSink& sink) {
  const HidReportField& f = cap.field;
  for (uint32_t i = 0; i < f.reportCount; ++i) {
    if (ReadBits(report, f, i) == 0) continue;
    const uint32_t usage = cap.isRange ? std::min<uint32_t>(cap.usageMin + i, cap.usageMax) : cap.usageMin;
    sink.Add(static_cast<uint16_t>(usage));
  }
}

bool SameArrayField(const HidpButtonCaps& a, const HidpButtonCaps& b) {
  return a.field.isArray && b.field.isArray && a.reportId == b.reportId && a.field.bitOffset == b.field.bitOffset;
}

// The value capability and element index that answer for a usage in this report.
struct ValueLookup {
  const HidpValueCaps* cap = nullptr;
  uint32_t index = 0;
  HidpStatus status = HidpStatus::UsageNotFound;
};

ValueLookup FindValue(HidReportType type, uint16_t usagePage, uint16_t linkCollection, uint16_t usage,
                      const HidPreparsedData& pp, std::span<const uint8_t> report) {
  ValueLookup found;
  if (!ValidType(type)) {
    found.status = HidpStatus::InvalidReportType;
    return found;
  }
  if (report.empty()) {
    found.status = HidpStatus::InvalidReportLength;
    return found;
  }
  for (const HidpValueCaps& cap : pp.ValueCaps(type)) {
    if (cap.usagePage != usagePage || !InLink(linkCollection, cap.linkCollection)) continue;
    if (usage < cap.usageMin || usage > cap.usageMax) continue;
    if (cap.reportId != report[0]) {
      found.status = HidpStatus::IncompatibleReportId;
      continue;
    }
    // A range has one element per usage; a single usage with several elements is a value
    // array, of which these calls give the first element.
    const uint32_t index = cap.isRange ? uint32_t{usage} - cap.usageMin : 0;
    if (index >= cap.field.reportCount) continue;
    if (!Holds(report, cap.field.bitOffset + uint64_t{index} * cap.field.bitSize, cap.field.bitSize)) {
      found.status = HidpStatus::InvalidReportLength;
      return found;
    }
    found.cap = &cap;
    found.index = index;
    found.status = HidpStatus::Success;
    return found;
  }
  return found;
}

int64_t SignExtend(uint32_t raw, uint16_t bitSize) {
  const uint32_t width = std::min<uint32_t>(bitSize, 32);
  if (width == 0) return 0;
  if (width == 32) return static_cast<int32_t>(raw);
  const uint32_t signBit = 1u << (width - 1);
  return static_cast<int64_t>(raw ^ signBit) - static_cast<int64_t>(signBit);
}

}  // namespace

uint32_t HidpMaxUsageListLength(HidReportType type, uint16_t usagePage, const HidPreparsedData& pp) {
  if (!ValidType(type)) return 0;
  const auto caps = pp.ButtonCaps(type);
  uint32_t total = 0;
  for (size_t i = 0; i < caps.size(); ++i) {
    const HidpButtonCaps& cap = caps[i];
    if (usagePage != 0 && cap.usagePage != usagePage) continue;
    // The capabilities of one array item share its selectors: count them once.
    const bool counted = std::any_of(caps.begin(), caps.begin() + static_cast<std::ptrdiff_t>(i),
                                     [&](const HidpButtonCaps& earlier) {
                                       return SameArrayField(earlier, cap) &&
                                              (usagePage == 0 || earlier.usagePage == usagePage);
                                     });
    if (!counted) total += cap.field.reportCount;
  }
  return total;
}

HidpStatus HidpGetUsages(HidReportType type, uint16_t usagePage, uint16_t linkCollection, uint16_t* usageList,
                         uint32_t* usageLength, const HidPreparsedData& pp, std::span<const uint8_t> report) {
  if (!ValidType(type)) return HidpStatus::InvalidReportType;
  if (usageLength == nullptr) return HidpStatus::InternalError;
  if (report.empty()) return HidpStatus::InvalidReportLength;
  bool pageFound = false;
  bool idFound = false;
  for (const HidpButtonCaps& cap : pp.ButtonCaps(type)) {
    if (cap.usagePage != usagePage || !InLink(linkCollection, cap.linkCollection)) continue;
    pageFound = true;
    if (cap.reportId != report[0]) continue;
    idFound = true;
    if (!HoldsField(report, cap.field)) return HidpStatus::InvalidReportLength;
  }
  if (!pageFound) return HidpStatus::UsageNotFound;
  if (!idFound) return HidpStatus::IncompatibleReportId;

  UsageSink sink{usageList, *usageLength};
  for (const HidpButtonCaps& cap : pp.ButtonCaps(type)) {
    if (cap.usagePage != usagePage || !InLink(linkCollection, cap.linkCollection)) continue;
    if (cap.reportId != report[0]) continue;
    if (cap.field.isArray) {
      CollectArrayUsages(cap, report, sink);
    } else {
      CollectVariableUsages(cap, report, sink);
    }
  }
  const bool fits = sink.count <= *usageLength;
  *usageLength = sink.count;
  return fits ? HidpStatus::Success : HidpStatus::BufferTooSmall;
}

HidpStatus HidpGetUsageValue(HidReportType type, uint16_t usagePage, uint16_t linkCollection, uint16_t usage,
                             uint32_t* value, const HidPreparsedData& pp, std::span<const uint8_t> report) {
  if (value == nullptr) return HidpStatus::InternalError;
  const ValueLookup found = FindValue(type, usagePage, linkCollection, usage, pp, report);
  if (found.status != HidpStatus::Success) return found.status;
  *value = ReadBits(report, found.cap->field, found.index);
  return HidpStatus::Success;
}

HidpStatus HidpGetScaledUsageValue(HidReportType type, uint16_t usagePage, uint16_t linkCollection,
                                   uint16_t usage, int32_t* value, const HidPreparsedData& pp,
                                   std::span<const uint8_t> report) {
  if (value == nullptr) return HidpStatus::InternalError;
  const ValueLookup found = FindValue(type, usagePage, linkCollection, usage, pp, report);
  if (found.status != HidpStatus::Success) return found.status;
  const HidpValueCaps& cap = *found.cap;
  const int64_t logMin = cap.logicalMin, logMax = cap.logicalMax;
  // No physical extent declared: the physical range is the logical one.
  const bool noPhysical = cap.physicalMin == 0 && cap.physicalMax == 0;
  const int64_t phyMin = noPhysical ? logMin : cap.physicalMin;
  const int64_t phyMax = noPhysical ? logMax : cap.physicalMax;
  if (logMin >= logMax || phyMin > phyMax) return HidpStatus::BadLogPhyValues;

  const uint32_t raw = ReadBits(report, cap.field, found.index);
  const int64_t logical = logMin < 0 ? SignExtend(raw, cap.field.bitSize) : int64_t{raw};
  if (logical < logMin || logical > logMax) {
    return cap.hasNull ? HidpStatus::Null : HidpStatus::ValueOutOfRange;
  }
  // The product can need 64 bits before the division.
  const __int128 scaled = static_cast<__int128>(logical - logMin) * (phyMax - phyMin) / (logMax - logMin) + phyMin;
  *value = static_cast<int32_t>(std::clamp<__int128>(scaled, INT32_MIN, INT32_MAX));
  return HidpStatus::Success;
}

}  // namespace velmora::platform
