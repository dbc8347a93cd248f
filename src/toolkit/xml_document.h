#pragma once

// A small XML element tree read with expat: enough for layouts, menus, resource and
// language files. Reading never throws; malformed input yields no tree and an error text.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora::toolkit {

struct XmlElement {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;  // in document order
  std::vector<XmlElement> children;
  std::string text;  // character data directly inside the element

  // The attribute's value (name compared without regard to ASCII case), or null.
  const std::string* Attribute(std::string_view attributeName) const;
};

// Nesting deeper than this is refused, so hostile files cannot exhaust the stack.
inline constexpr size_t kMaxXmlDepth = 256;

std::optional<XmlElement> ParseXml(std::string_view text, std::string* error = nullptr);
std::optional<XmlElement> LoadXmlFile(const std::string& path, std::string* error = nullptr);

}  // namespace velmora::toolkit
