// Fuzzes the unpacking of input reports: the input is a report descriptor (its length in the
// first byte) followed by reports, each prefixed by its length byte. Every collection's input
// items are built and filled from every report, so stale usage lists are exercised too.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/hid_descriptor.h"
#include "transport/hid_report_items.h"

namespace {

using velmora::platform::HidPreparsedData;
using velmora::platform::HidReportType;

// Splits the bytes after the descriptor into length-prefixed reports.
std::vector<std::span<const uint8_t>> SplitReports(std::span<const uint8_t> rest) {
  std::vector<std::span<const uint8_t>> reports;
  while (!rest.empty()) {
    const size_t length = std::min<size_t>(rest[0], rest.size() - 1);
    reports.push_back(rest.subspan(1, length));
    rest = rest.subspan(1 + length);
  }
  return reports;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::span<const uint8_t> input(data, size);
  const size_t descriptorLength = std::min<size_t>(input[0], size - 1);
  const auto descriptor = input.subspan(1, descriptorLength);
  const auto reports = SplitReports(input.subspan(1 + descriptorLength));

  std::vector<HidPreparsedData> collections;
  if (!velmora::platform::ParseReportDescriptor(descriptor, collections)) return 0;
  for (const HidPreparsedData& preparsed : collections) {
    for (HidReportType type : {HidReportType::Input, HidReportType::Feature}) {
      auto items = velmora::transport::BuildReportItems(type, preparsed);
      for (std::span<const uint8_t> report : reports) {
        velmora::transport::UnpackInputReport(report, type, items, preparsed);
      }
    }
  }
  return 0;
}
