#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "devices/keyboard_light_context.h"
#include "devices/keyboard_light_pacing.h"
#include "devices/keyboard_light_player.h"
#include "devices/keyboard_light_random.h"
#include "devices/light_effects.h"
#include "devices/light_state.h"
#include "profiles/light_records.h"

namespace velmora::devices {

// The device's light state that the keyboard's light modes read and write: the light
// settings, the base effects' phase state and the LED colour array indexed by key position.
struct KeyboardLightFrame {
  const LightSettings& settings;
  BaseEffectState& base;
  std::span<LedColor> leds;
};

// The keyboard's software light effects: the thirty light modes with their pacing, the custom
// light effect player, the key-press effects and the audio input.
//
// Every call reads or writes state the light thread and the UI share, so the caller holds the
// device's frame lock around each call. The custom effect player takes the effect-list lock
// inside RunLoop, so that lock is always taken after the frame lock.
class KeyboardLightEngine {
 public:
  // random supplies the effects' random choices; null uses a built-in generator. A given
  // source must outlive the engine.
  explicit KeyboardLightEngine(LightRandom* random = nullptr);
  KeyboardLightEngine(const KeyboardLightEngine&) = delete;
  KeyboardLightEngine& operator=(const KeyboardLightEngine&) = delete;

  // The light thread starts: notes the clock and clears the tick count.
  void StartPacing(uint32_t nowMs);

  // A new light mode (or mode 20 again): clears the effect buffers and primes the effect of
  // mode. Mode 20's custom colours must already be in the LED array.
  void Restart(const KeyboardLightFrame& frame, uint32_t mode);

  // One loop of the light thread: counts a tick when the clock has moved on by 2 ms, runs the
  // mode's step once the tick count reaches the mode's threshold at the current speed and
  // clears the count; a mode without a step of its own runs the custom light effect player
  // (effects, may be null for none) on every loop. True when a step ran.
  bool RunLoop(const KeyboardLightFrame& frame, const CustomEffectList* effects, uint32_t nowMs);

  // Runs the step of frame.settings.mode once, without pacing (modes without a step of their
  // own do nothing here).
  void RunStep(const KeyboardLightFrame& frame, uint32_t nowMs);

  // A key event (kKeyPressed or kKeyReleased) of the key at position, for the key-press modes
  // 7, 8, 9 and 25; other modes ignore it.
  void OnKeyEvent(uint32_t mode, size_t position, int kind);

  // The audio band values of the latest spectrum block (the first 25 are kept) and the
  // audio light style, which the audio-driven mode draws.
  void SetAudioBands(std::span<const int32_t> bands);
  void SetAudioStyle(const profiles::AudioLightRecord& style);

  // The audio pulse: once the collected audio level reaches kAudioRippleLevel, a ripple
  // starts at the key at position. Only the ripple modes (8, and the audio mode 29) take it,
  // so the audio never disturbs the waves of the other wave-grid modes.
  void OnAudioLevel(size_t position, uint32_t level);
  static constexpr uint32_t kAudioRippleLevel = 71;

  const KeyboardEffectBuffers& Buffers() const { return buffers_; }
  const AudioInput& Audio() const { return audio_; }

 private:
  KeyboardLightContext ContextFor(const KeyboardLightFrame& frame, uint32_t nowMs);

  DefaultLightRandom ownRandom_;
  LightRandom& random_;
  TickCounter ticks_;
  KeyboardEffectBuffers buffers_;
  AudioInput audio_;
  CustomEffectPlayer player_;
  uint32_t mode_ = 0;  // the mode of the last Restart
};

}  // namespace velmora::devices
