#include "devices/function_switch.h"

namespace velmora::devices {

namespace {
constexpr int kDeviceTypeKeyboard = 1;
constexpr int kDeviceTypeMouse = 2;
}  // namespace

FunctionSwitchPages FunctionSwitchPagesFor(int state, int deviceType) {
  const bool keyboardOrMouse = deviceType == kDeviceTypeKeyboard || deviceType == kDeviceTypeMouse;
  if (state == 4 && !keyboardOrMouse) state = 7;
  switch (state) {
    case 3:
    case 8:
      return {1, -1};
    case 5:
      return {2, -1};
    case 4:
      return {3, -1};
    case 2:
    case 6:
      return {0, 1};
    case 7:
      return {0, 2};
    default:
      return {0, 0};
  }
}

}  // namespace velmora::devices
