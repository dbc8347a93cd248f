#include "sim/headset_light_state.h"

#include <gtest/gtest.h>

#include <array>

namespace velmora::sim {
namespace {

std::array<uint8_t, 17> LightReport(uint8_t bank, uint8_t reg, std::initializer_list<uint8_t> values) {
  std::array<uint8_t, 17> r{};
  r[0] = 0xFF;
  r[1] = bank;
  r[2] = reg;
  size_t i = 4;
  for (uint8_t v : values) r[i++] = v;
  return r;
}

TEST(HeadsetLightState, RegistersSetTheirChannelOfTheirLedsInTheirBank) {
  HeadsetLightState state;
  EXPECT_TRUE(state.Apply(LightReport(0x22, 0xAA, {10, 11, 12, 13, 14, 15, 16})));
  EXPECT_TRUE(state.Apply(LightReport(0x22, 0xAE, {20, 21, 22, 23, 24, 25})));
  EXPECT_TRUE(state.Apply(LightReport(0x44, 0xAF, {30, 31, 32, 33, 34, 35})));
  EXPECT_EQ(state.Led(0x22, 0), (HeadsetLightState::Rgb{10, 0, 0}));
  EXPECT_EQ(state.Led(0x22, 6), (HeadsetLightState::Rgb{16, 0, 0}));
  EXPECT_EQ(state.Led(0x22, 7), (HeadsetLightState::Rgb{0, 20, 0}));
  EXPECT_EQ(state.Led(0x22, 12), (HeadsetLightState::Rgb{0, 25, 0}));
  EXPECT_EQ(state.Led(0x44, 12), (HeadsetLightState::Rgb{0, 0, 35}));
  EXPECT_EQ(state.Led(0x44, 0), (HeadsetLightState::Rgb{}));
  EXPECT_EQ(state.AcceptedReports(), 3u);
}

TEST(HeadsetLightState, MalformedReportsAreCountedAndChangeNothing) {
  HeadsetLightState state;
  auto wrongId = LightReport(0x22, 0xAA, {1});
  wrongId[0] = 0x04;
  const std::array<uint8_t, 16> tooShort{0xFF, 0x22, 0xAA};
  for (const auto& report : {wrongId, LightReport(0x33, 0xAA, {1}), LightReport(0x22, 0xA9, {1})}) {
    EXPECT_FALSE(state.Apply(report));
  }
  EXPECT_FALSE(state.Apply(tooShort));
  EXPECT_EQ(state.MalformedReports(), 4u);
  EXPECT_EQ(state.AcceptedReports(), 0u);
  EXPECT_EQ(state.Led(0x22, 0), (HeadsetLightState::Rgb{}));
  EXPECT_EQ(state.Led(0x22, 13), (HeadsetLightState::Rgb{}));
}

}  // namespace
}  // namespace velmora::sim
