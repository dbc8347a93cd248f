#include "devices/device_page.h"

#include <cctype>
#include <charconv>

namespace velmora::devices {
namespace {

bool SameAsciiName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

template <typename Match>
PageControl* FindFirst(const PageControl& root, const Match& match) {
  for (PageControl* child : root.GetChildren()) {
    if (child == nullptr) continue;
    if (match(*child)) return child;
    if (PageControl* found = FindFirst(*child, match)) return found;
  }
  return nullptr;
}

void CollectByClass(const PageControl& root, const std::string& className,
                    std::vector<PageControl*>& out) {
  for (PageControl* child : root.GetChildren()) {
    if (child == nullptr) continue;
    if (SameAsciiName(child->GetClass(), className)) out.push_back(child);
    CollectByClass(*child, className, out);
  }
}

}  // namespace

PageControl* FindChildByName(const PageControl& root, const std::string& name) {
  return FindFirst(root, [&](const PageControl& c) { return SameAsciiName(c.GetName(), name); });
}

PageControl* FindChildByClass(const PageControl& root, const std::string& className) {
  return FindFirst(root,
                   [&](const PageControl& c) { return SameAsciiName(c.GetClass(), className); });
}

std::vector<PageControl*> FindChildrenByClass(const PageControl& root,
                                              const std::string& className) {
  std::vector<PageControl*> found;
  CollectByClass(root, className, found);
  return found;
}

int ParseIndexedName(const std::string& name, const std::string& prefix) {
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return -1;
  const char* first = name.data() + prefix.size();
  const char* last = name.data() + name.size();
  int value = -1;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || value < 0) return -1;
  return value;
}

}  // namespace velmora::devices
