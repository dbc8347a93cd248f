#include "hidinfo/descriptor_report.h"

#include <cstdio>
#include <vector>

namespace velmora::hidinfo {
namespace {

using platform::HidReportType;

constexpr HidReportType kReportTypes[] = {HidReportType::Input, HidReportType::Output,
                                          HidReportType::Feature};

const char* TypeName(HidReportType type) {
  switch (type) {
    case HidReportType::Input: return "input";
    case HidReportType::Output: return "output";
    case HidReportType::Feature: return "feature";
  }
  return "?";
}

std::string Format(const char* format, auto... args) {
  char line[256];
  std::snprintf(line, sizeof line, format, args...);
  return line;
}

std::string UsageText(bool isRange, uint16_t min, uint16_t max) {
  return isRange ? Format("usages=0x%04x-0x%04x", min, max) : Format("usage=0x%04x", min);
}

std::string ButtonLine(HidReportType type, const platform::HidpButtonCaps& cap) {
  return Format("  %s button usage_page=0x%04x report_id=%u ", TypeName(type), cap.usagePage,
                cap.reportId) +
         UsageText(cap.isRange, cap.usageMin, cap.usageMax) + "\n";
}

std::string ValueLine(HidReportType type, const platform::HidpValueCaps& cap) {
  return Format("  %s value usage_page=0x%04x ", TypeName(type), cap.usagePage) +
         UsageText(cap.isRange, cap.usageMin, cap.usageMax) +
         Format(" report_id=%u bits=%u count=%u logical=%d..%d\n", cap.reportId, cap.bitSize,
                cap.reportCount, cap.logicalMin, cap.logicalMax);
}

}  // namespace

std::string DescribeCollection(int number, const platform::HidPreparsedData& collection) {
  const auto& caps = collection.Caps();
  std::string text = Format("collection %d usage_page=0x%04x usage=0x%04x input_len=%u output_len=%u feature_len=%u\n",
                            number, caps.usagePage, caps.usage, caps.inputReportByteLength,
                            caps.outputReportByteLength, caps.featureReportByteLength);
  for (HidReportType type : kReportTypes) {
    for (const auto& cap : collection.ButtonCaps(type)) text += ButtonLine(type, cap);
  }
  for (HidReportType type : kReportTypes) {
    for (const auto& cap : collection.ValueCaps(type)) text += ValueLine(type, cap);
  }
  return text;
}

bool DescribeDescriptor(std::span<const uint8_t> descriptor, std::string& text) {
  text.clear();
  std::vector<platform::HidPreparsedData> collections;
  if (!platform::ParseReportDescriptor(descriptor, collections)) return false;
  for (size_t i = 0; i < collections.size(); ++i) {
    text += DescribeCollection(static_cast<int>(i + 1), collections[i]);
  }
  return true;
}

}  // namespace velmora::hidinfo
