#include "toolkit/gtk_input_mapping.h"

#include <cmath>
#include <cstdlib>

namespace velmora::toolkit {

namespace {
constexpr int kWheelNotch = 120;
}

uint32_t ModifiersFromGdkState(guint state) {
  uint32_t modifiers = 0;
  if (state & GDK_SHIFT_MASK) modifiers |= kModShift;
  if (state & GDK_CONTROL_MASK) modifiers |= kModControl;
  if (state & GDK_MOD1_MASK) modifiers |= kModAlt;
  if (state & (GDK_SUPER_MASK | GDK_MOD4_MASK)) modifiers |= kModSuper;
  return modifiers;
}

HostMouseButton ButtonFromGdk(guint button) {
  switch (button) {
    case GDK_BUTTON_PRIMARY: return HostMouseButton::Left;
    case GDK_BUTTON_MIDDLE: return HostMouseButton::Middle;
    case GDK_BUTTON_SECONDARY: return HostMouseButton::Right;
    default: return HostMouseButton::None;
  }
}

bool DoubleClickTracker::Press(HostMouseButton button, int x, int y, uint32_t timeMs) {
  bool isDouble = havePrevious_ && button == button_ && timeMs - timeMs_ <= maxIntervalMs_ &&
                  std::abs(x - x_) <= maxDistance_ && std::abs(y - y_) <= maxDistance_;
  // After a double click the next press starts over, as on Windows.
  havePrevious_ = !isDouble;
  button_ = button;
  x_ = x;
  y_ = y;
  timeMs_ = timeMs;
  return isDouble;
}

int WheelAccumulator::Delta(GdkScrollDirection direction, double smoothDeltaY) {
  switch (direction) {
    case GDK_SCROLL_UP: return kWheelNotch;
    case GDK_SCROLL_DOWN: return -kWheelNotch;
    case GDK_SCROLL_SMOOTH: break;
    default: return 0;
  }
  // GDK's smooth delta is one per notch and positive towards the user.
  pending_ -= smoothDeltaY * kWheelNotch;
  double notches = std::trunc(pending_ / kWheelNotch);
  pending_ -= notches * kWheelNotch;
  return static_cast<int>(notches) * kWheelNotch;
}

}  // namespace velmora::toolkit
