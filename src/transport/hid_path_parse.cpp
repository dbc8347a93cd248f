#include "transport/hid_path_parse.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

namespace velmora::transport {
namespace {

char LowerAscii(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Position just after the marker (given in lower case), or npos.
size_t FindAfterMarker(std::string_view path, std::string_view marker) {
  auto equalFolded = [](char a, char b) { return LowerAscii(a) == b; };
  auto it = std::search(path.begin(), path.end(), marker.begin(), marker.end(), equalFolded);
  if (it == path.end()) return std::string_view::npos;
  return static_cast<size_t>(it - path.begin()) + marker.size();
}

// Scans like "%x": leading blanks, an optional sign and "0x" prefix, then hex digits.
uint16_t ScanHexAfter(std::string_view path, std::string_view marker) {
  const size_t start = FindAfterMarker(path, marker);
  if (start == std::string_view::npos) return 0;
  const std::string rest(path.substr(start));
  const unsigned long value = std::strtoul(rest.c_str(), nullptr, 16);
  return static_cast<uint16_t>(value & 0xFFFFu);
}

}  // namespace

uint16_t ParseVendorId(std::string_view path) { return ScanHexAfter(path, "vid_"); }
uint16_t ParseProductId(std::string_view path) { return ScanHexAfter(path, "pid_"); }
uint16_t ParseInterfaceNumber(std::string_view path) { return ScanHexAfter(path, "&mi_"); }
uint16_t ParseCollectionNumber(std::string_view path) { return ScanHexAfter(path, "&col"); }

}  // namespace velmora::transport
