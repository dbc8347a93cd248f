#pragma once

// Helpers shared by the HID tests: fixture descriptors and a one-line-per-capability text
// form of a parsed collection, so expectations read like the descriptor's layout.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/hid_descriptor.h"

namespace velmora::platform::testing {

inline std::vector<uint8_t> LoadDescriptor(const std::string& name) {
  std::ifstream in(std::string(VELMORA_TEST_DATA) + "/descriptors/" + name + ".bin", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string Hex4(uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04x", v);
  return text;
}

inline const char* TypeName(HidReportType type) {
  static const char* const kNames[] = {"input", "output", "feature"};
  return kNames[static_cast<int>(type)];
}

inline std::string DescribeField(const HidReportField& f) {
  return " at=" + std::to_string(f.bitOffset) + " size=" + std::to_string(f.bitSize) +
         " count=" + std::to_string(f.reportCount) + (f.isArray ? " array" : "");
}

// "collection N …" and one line per capability, input/output/feature, buttons before values.
inline std::vector<std::string> Describe(const HidPreparsedData& pp, size_t index) {
  const HidpCaps& c = pp.Caps();
  std::vector<std::string> lines;
  lines.push_back("collection " + std::to_string(index + 1) + " usage_page=" + Hex4(c.usagePage) +
                  " usage=" + Hex4(c.usage) + " input_len=" + std::to_string(c.inputReportByteLength) +
                  " output_len=" + std::to_string(c.outputReportByteLength) +
                  " feature_len=" + std::to_string(c.featureReportByteLength) +
                  " links=" + std::to_string(c.numberLinkCollectionNodes));
  for (HidReportType type : {HidReportType::Input, HidReportType::Output, HidReportType::Feature}) {
    for (const HidpButtonCaps& b : pp.ButtonCaps(type)) {
      lines.push_back(std::string("  ") + TypeName(type) + " button usage_page=" + Hex4(b.usagePage) +
                      " report_id=" + std::to_string(b.reportId) + " usages=" + Hex4(b.usageMin) + "-" +
                      Hex4(b.usageMax) + (b.isRange ? " range" : "") + " link=" + std::to_string(b.linkCollection) +
                      " index=" + std::to_string(b.dataIndexMin) + "-" + std::to_string(b.dataIndexMax) +
                      DescribeField(b.field));
    }
    for (const HidpValueCaps& v : pp.ValueCaps(type)) {
      lines.push_back(std::string("  ") + TypeName(type) + " value usage_page=" + Hex4(v.usagePage) +
                      " usage=" + Hex4(v.usageMin) + (v.isRange ? "-" + Hex4(v.usageMax) : "") +
                      " report_id=" + std::to_string(v.reportId) + " bits=" + std::to_string(v.bitSize) +
                      " count=" + std::to_string(v.reportCount) + " logical=" + std::to_string(v.logicalMin) +
                      ".." + std::to_string(v.logicalMax) + " physical=" + std::to_string(v.physicalMin) + ".." +
                      std::to_string(v.physicalMax) + (v.isAbsolute ? "" : " relative") +
                      " link=" + std::to_string(v.linkCollection) + " index=" + std::to_string(v.dataIndexMin) +
                      " at=" + std::to_string(v.field.bitOffset));
    }
  }
  return lines;
}

inline std::vector<std::string> DescribeAll(const std::vector<HidPreparsedData>& collections) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < collections.size(); ++i) {
    auto part = Describe(collections[i], i);
    lines.insert(lines.end(), part.begin(), part.end());
  }
  return lines;
}

}  // namespace velmora::platform::testing
