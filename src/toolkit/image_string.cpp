#include "toolkit/image_string.h"

#include <algorithm>

#include "toolkit/ui_string.h"

namespace velmora::toolkit {

bool ParseImageString(const std::string& text, TDrawInfo& info) {
  if (text.find('=') == std::string::npos) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return true;  // blank: no image
    const size_t last = text.find_last_not_of(' ');
    info.file = text.substr(first, last - first + 1);
    info.fromResource = false;
    return true;
  }
  std::vector<std::pair<std::string, std::string>> pairs;
  const bool ok = ParseAttributeList(text, pairs);
  for (const auto& [rawName, value] : pairs) {
    const std::string name = ToLowerAscii(rawName);
    if (name == "file" || name == "res") {
      info.file = value;
      info.fromResource = name == "res";
    } else if (name == "source") {
      info.source = ParseRect(value);
    } else if (name == "dest") {
      info.dest = ParseRect(value);
    } else if (name == "corner") {
      info.corner = ParseRect(value);
    } else if (name == "fade") {
      info.fade = std::clamp(ParseInt(value), 0, 255);
    } else if (name == "hole") {
      info.hole = ParseBool(value);
    } else if (name == "xtiled") {
      info.xtiled = ParseBool(value);
    } else if (name == "ytiled") {
      info.ytiled = ParseBool(value);
    }
    // Other attributes (restype, mask, hsl) do not change how the image is drawn here.
  }
  return ok;
}

}  // namespace velmora::toolkit
