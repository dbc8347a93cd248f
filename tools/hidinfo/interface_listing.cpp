#include "hidinfo/interface_listing.h"

#include <cstdio>

#include "devices/supported_interfaces.h"
#include "transport/hid_path_parse.h"

namespace velmora::hidinfo {
namespace {

const char* FamilyName(uint16_t familyCode) {
  switch (familyCode) {
    case devices::kFamilyKeyboard: return "keyboard";
    case devices::kFamilyKeyboardReceiver: return "keyboard through receiver";
    case devices::kFamilyMouse: return "mouse";
    case devices::kFamilyMouseReceiver: return "mouse through receiver";
    case devices::kFamilyMousePad: return "mouse pad";
    case devices::kFamilyHeadset: return "headset";
  }
  return "unknown family";
}

std::string SupportedText(int row) {
  if (row < 0) return "supported=no";
  const auto& entry = devices::SupportedInterfaces()[static_cast<size_t>(row)];
  char text[96];
  std::snprintf(text, sizeof text, "supported=row %d (%s, %s)", row, FamilyName(entry.familyCode),
                entry.kind == devices::kKindNotification ? "notification" : "command");
  return text;
}

InterfaceInfo Inspect(platform::HidBackend& backend, const std::string& path) {
  InterfaceInfo info;
  info.path = path;
  info.interfaceNumber = transport::ParseInterfaceNumber(path);
  info.collectionNumber = transport::ParseCollectionNumber(path);
  auto connection = backend.Open(path, platform::HidOpenFlags{});
  if (!connection) return info;
  info.opened = true;
  info.attributes = connection->Attributes();
  info.caps = connection->PreparsedData().Caps();
  info.supportedRow = devices::FindSupportedInterface(
      info.attributes.vendorId, info.attributes.productId, info.interfaceNumber,
      info.collectionNumber, info.caps.usagePage, info.caps.usage);
  info.readWrite = backend.Open(path, platform::HidOpenFlags{.read = true, .write = true}) != nullptr;
  return info;
}

}  // namespace

bool ListInterfaces(platform::HidBackend& backend, std::vector<InterfaceInfo>& out) {
  std::vector<std::string> paths;
  if (!backend.EnumeratePaths(paths)) return false;
  for (const auto& path : paths) out.push_back(Inspect(backend, path));
  return true;
}

std::string FormatInterface(const InterfaceInfo& info) {
  if (!info.opened) return info.path + " cannot be opened";
  char fields[256];
  std::snprintf(fields, sizeof fields,
                " vendor=0x%04x product=0x%04x interface=%u collection=%u usage_page=0x%04x "
                "usage=0x%04x input_len=%u output_len=%u feature_len=%u access=%s ",
                info.attributes.vendorId, info.attributes.productId, info.interfaceNumber,
                info.collectionNumber, info.caps.usagePage, info.caps.usage,
                info.caps.inputReportByteLength, info.caps.outputReportByteLength,
                info.caps.featureReportByteLength, info.readWrite ? "read-write" : "denied");
  return info.path + fields + SupportedText(info.supportedRow);
}

bool SupportedInterfaceDenied(const std::vector<InterfaceInfo>& interfaces) {
  for (const auto& info : interfaces) {
    if (info.supportedRow >= 0 && !info.readWrite) return true;
  }
  return false;
}

}  // namespace velmora::hidinfo
