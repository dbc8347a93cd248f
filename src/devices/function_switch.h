#pragma once

namespace velmora::devices {

// The pages a function-switch state selects on the page's "device_function_switch" and
// "device_key_function_switch" tab layouts; keyFunction -1 leaves the key-function switch as
// it is.
struct FunctionSwitchPages {
  int function = 0;
  int keyFunction = 0;
  bool operator==(const FunctionSwitchPages&) const = default;
};

// State 4 shows the keyboard-and-mouse page only for device types 1 and 2; elsewhere it acts
// as state 7.
FunctionSwitchPages FunctionSwitchPagesFor(int state, int deviceType);

}  // namespace velmora::devices
