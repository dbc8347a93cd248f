#include "sim/device_memory.h"

#include <algorithm>

namespace velmora::sim {

std::string_view MemoryAreaName(MemoryArea area) {
  switch (area) {
    case MemoryArea::Information: return "information";
    case MemoryArea::Parameters: return "parameters";
    case MemoryArea::KeyMap: return "key map";
    case MemoryArea::LedMap: return "LED map";
    case MemoryArea::ColorTables: return "colour tables";
    case MemoryArea::LightFrame: return "light frame";
    case MemoryArea::Macro: return "macro";
    case MemoryArea::Shooting: return "shooting";
    case MemoryArea::Status: return "status";
  }
  return "?";
}

DeviceMemory::DeviceMemory() { Area(MemoryArea::Information).resize(kInformationSize); }

bool DeviceMemory::Read(MemoryArea area, size_t offset, std::span<uint8_t> out) const {
  const auto& bytes = Area(area);
  if (offset > bytes.size() || out.size() > bytes.size() - offset) return false;
  std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
  return true;
}

bool DeviceMemory::Write(MemoryArea area, size_t offset, std::span<const uint8_t> data) {
  auto& bytes = Area(area);
  if (offset > bytes.size() || data.size() > bytes.size() - offset) return false;
  std::copy(data.begin(), data.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
  return true;
}

}  // namespace velmora::sim
