#include "platform/hidraw_sysfs.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace velmora::platform {

namespace fs = std::filesystem;

namespace {

// Report descriptors are at most 4096 bytes (HID_MAX_DESCRIPTOR_SIZE); a sysfs file larger
// than this is not one.
constexpr std::streamsize kMaxDescriptorBytes = 4096;

bool IsHidrawName(const std::string& name, unsigned long& number) {
  if (name.size() <= 6 || name.compare(0, 6, "hidraw") != 0) return false;
  if (!std::all_of(name.begin() + 6, name.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
  number = std::strtoul(name.c_str() + 6, nullptr, 10);
  return true;
}

bool ReadSmallFile(const fs::path& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(kMaxDescriptorBytes + 1, '\0');
  in.read(text.data(), kMaxDescriptorBytes + 1);
  text.resize(static_cast<size_t>(in.gcount()));
  return text.size() <= static_cast<size_t>(kMaxDescriptorBytes);
}

bool ReadHexFile(const fs::path& path, unsigned& value) {
  std::string text;
  if (!ReadSmallFile(path, text)) return false;
  return std::sscanf(text.c_str(), "%x", &value) == 1;
}

// HID_ID=<bus>:<vendor>:<product>, each in hexadecimal.
bool ParseHidId(const std::string& uevent, HidAttributes& attributes) {
  const size_t at = uevent.find("HID_ID=");
  if (at == std::string::npos) return false;
  unsigned bus = 0, vendor = 0, product = 0;
  if (std::sscanf(uevent.c_str() + at + 7, "%x:%x:%x", &bus, &vendor, &product) != 3) return false;
  attributes.vendorId = static_cast<uint16_t>(vendor);
  attributes.productId = static_cast<uint16_t>(product);
  return true;
}

// Walks from the HID device towards the sysfs root: the first folder with bInterfaceNumber is
// the USB interface, the first with bcdDevice the USB device.
void ReadUsbAncestors(const fs::path& sysfsRoot, const fs::path& hidDevice, HidrawNodeInfo& info) {
  bool haveInterface = false, haveVersion = false;
  const fs::path root = sysfsRoot.lexically_normal();
  for (fs::path dir = hidDevice.parent_path(); !dir.empty() && dir != dir.root_path(); dir = dir.parent_path()) {
    unsigned value = 0;
    if (!haveInterface && ReadHexFile(dir / "bInterfaceNumber", value)) {
      info.interfaceNumber = static_cast<uint8_t>(value);
      haveInterface = true;
    }
    if (!haveVersion && ReadHexFile(dir / "bcdDevice", value)) {
      info.attributes.versionNumber = static_cast<uint16_t>(value);
      haveVersion = true;
    }
    if ((haveInterface && haveVersion) || dir == root) break;
  }
}

}  // namespace

bool ListHidrawNodes(const std::string& sysfsRoot, std::vector<std::string>& names) {
  names.clear();
  const fs::path folder = fs::path(sysfsRoot) / "class" / "hidraw";
  std::error_code error;
  if (!fs::exists(folder, error)) return !error;
  std::vector<std::pair<unsigned long, std::string>> found;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    unsigned long number = 0;
    if (IsHidrawName(name, number)) found.emplace_back(number, name);
  }
  if (error) return false;
  std::sort(found.begin(), found.end());
  for (auto& entry : found) names.push_back(std::move(entry.second));
  return true;
}

bool ReadHidrawNode(const std::string& sysfsRoot, const std::string& name, HidrawNodeInfo& info) {
  info = HidrawNodeInfo{};
  unsigned long number = 0;
  if (!IsHidrawName(name, number)) return false;
  const fs::path device = fs::path(sysfsRoot) / "class" / "hidraw" / name / "device";
  std::error_code error;
  const fs::path hidDevice = fs::canonical(device, error);
  if (error) return false;
  info.name = name;
  std::string text;
  if (ReadSmallFile(hidDevice / "uevent", text)) ParseHidId(text, info.attributes);
  if (ReadSmallFile(hidDevice / "report_descriptor", text)) info.descriptor.assign(text.begin(), text.end());
  ReadUsbAncestors(fs::canonical(sysfsRoot, error), hidDevice, info);
  return true;
}

}  // namespace velmora::platform
