#pragma once

#include <cstdint>
#include <span>

// How the audio-driven light mode reads the 25 audio band values it is fed.
namespace velmora::devices {

// A band value v as a distance from the top of its bar: 600 - v * 600 / 2000, 0 for a band
// at or above 2000, and 500 for a negative value.
int32_t AudioBandDepth(int32_t value);

// How many of the 6 grid rows a band's bar fills (0-6).
uint32_t AudioBarHeight(int32_t value);

// The loudness of a block: 25 - (average depth of its bands) * 25 / 600, 0-25.
int32_t AudioLoudness(std::span<const int32_t> bands);

}  // namespace velmora::devices
