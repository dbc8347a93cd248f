#pragma once

#include <cstdint>
#include <string_view>

namespace velmora::transport {

// Identifiers parsed out of a HID interface path: the marker is searched without regard to
// letter case and the text after it is scanned as hexadecimal. 0 when the marker is absent
// or no hexadecimal number follows it.
uint16_t ParseVendorId(std::string_view path);          // "vid_"
uint16_t ParseProductId(std::string_view path);         // "pid_"
uint16_t ParseInterfaceNumber(std::string_view path);   // "&mi_"
uint16_t ParseCollectionNumber(std::string_view path);  // "&col"

}  // namespace velmora::transport
