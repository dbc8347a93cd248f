#pragma once

#include <cstdint>
#include <vector>

namespace velmora::sim {

// Report ids of the simulated interfaces.
inline constexpr uint8_t kKeysReportId = 1;          // interface 1 collection 1: key bitmap
inline constexpr uint8_t kSystemReportId = 2;        // interface 1 collection 2: system control
inline constexpr uint8_t kNotificationReportId = 3;  // consumer collection: 16-bit usage array
// The command collection uses report id 4 (kCommandReportId); the headset's light output
// report uses 0xFF.

// Interface 0 of the keyboards and the pad: the boot keyboard (no report ids).
std::vector<uint8_t> BootKeyboardDescriptor();
// Interface 0 of the mice: the boot mouse (no report ids).
std::vector<uint8_t> BootMouseDescriptor();
// Interface 1 of the keyboards, mice and pad, four top-level collections: 1 key bitmap
// (generic desktop keyboard), 2 system control, 3 consumer control with the notification
// usage array, 4 the vendor command collection (page 0xFF1C, usage 0x92, 64-byte reports).
std::vector<uint8_t> CommandInterfaceDescriptor();
// The headset's interface 3: one consumer-control collection carrying the notification
// array (report 3), media buttons (report 1), the 64-byte command reports (report 4) and
// the 17-byte light output report (report 0xFF).
std::vector<uint8_t> HeadsetDescriptor();

}  // namespace velmora::sim
