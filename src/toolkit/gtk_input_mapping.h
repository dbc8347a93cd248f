#pragma once

// Maps GDK input to the host's input events the way the toolkit expects Windows input.

#include <gdk/gdk.h>

#include <cstdint>

#include "toolkit/host.h"

namespace velmora::toolkit {

uint32_t ModifiersFromGdkState(guint state);
HostMouseButton ButtonFromGdk(guint button);

// Windows reports the second press of a double click as a double click instead of a button
// down (down, up, double click, up). GDK reports it as a press followed by an extra
// double-press event, so the host decides itself: a press of the same button within the
// double-click time and distance of the previous press is a double click; a triple press
// starts a new pair.
class DoubleClickTracker {
 public:
  DoubleClickTracker(uint32_t maxIntervalMs, int maxDistance) : maxIntervalMs_(maxIntervalMs), maxDistance_(maxDistance) {}
  // Records a press; true when it completes a double click.
  bool Press(HostMouseButton button, int x, int y, uint32_t timeMs);

 private:
  uint32_t maxIntervalMs_;
  int maxDistance_;
  bool havePrevious_ = false;
  HostMouseButton button_ = HostMouseButton::None;
  int x_ = 0, y_ = 0;
  uint32_t timeMs_ = 0;
};

// Turns scroll events into wheel deltas of 120 per notch (positive away from the user).
// Smooth scrolling is summed until it makes whole notches, so touchpads do not flood the
// controls with tiny steps.
class WheelAccumulator {
 public:
  // 0 when the event does not complete a notch yet (or scrolls sideways).
  int Delta(GdkScrollDirection direction, double smoothDeltaY);

 private:
  double pending_ = 0;
};

}  // namespace velmora::toolkit
