#pragma once

#include <cstdint>

namespace velmora::devices {

// The keyboard's light modes as the device drives them. The light-mode code implements it and
// is handed to the keyboard with SetLightModeDriver; every call below is made with the
// device's frame lock held.
class LightModeDriver {
 public:
  virtual ~LightModeDriver() = default;
  // Resets the effect buffers and primes the effect of mode (the keyboard has already written
  // mode 20's colour table when mode is 20).
  virtual void StartMode(int mode) = 0;
  // One loop of the light thread: counts a tick when the clock moved on by 2 ms or more, runs
  // the current mode's step when the count reaches its threshold, composes the key-press
  // layers.
  virtual void RunLoop() = 0;
  // A key event from the input hook: key code, kind 1 press or 2 release.
  virtual void OnKeyEvent(int keyCode, int kind) = 0;
  // The audio effect step, run after new spectrum levels came in.
  virtual void AudioStep(int argument, uint32_t level) = 0;
};

}  // namespace velmora::devices
