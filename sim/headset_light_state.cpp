#include "sim/headset_light_state.h"

namespace velmora::sim {
namespace {

struct Register {
  uint8_t code;
  size_t firstLed;
  size_t ledCount;
  uint8_t HeadsetLightState::Rgb::* channel;
};

constexpr Register kRegisters[] = {
    {0xAA, 0, 7, &HeadsetLightState::Rgb::red},   {0xAD, 7, 6, &HeadsetLightState::Rgb::red},
    {0xAB, 0, 7, &HeadsetLightState::Rgb::green}, {0xAE, 7, 6, &HeadsetLightState::Rgb::green},
    {0xAC, 0, 7, &HeadsetLightState::Rgb::blue},  {0xAF, 7, 6, &HeadsetLightState::Rgb::blue},
};

const Register* FindRegister(uint8_t code) {
  for (const auto& r : kRegisters) {
    if (r.code == code) return &r;
  }
  return nullptr;
}

}  // namespace

int HeadsetLightState::BankIndex(uint8_t bank) {
  if (bank == kBanks[0]) return 0;
  if (bank == kBanks[1]) return 1;
  return -1;
}

bool HeadsetLightState::Apply(std::span<const uint8_t> report) {
  std::lock_guard lock(mutex_);
  const Register* reg = report.size() == kReportSize ? FindRegister(report[2]) : nullptr;
  const int bank = report.size() == kReportSize ? BankIndex(report[1]) : -1;
  if (report.size() != kReportSize || report[0] != kReportId || bank < 0 || reg == nullptr) {
    ++malformed_;
    return false;
  }
  for (size_t i = 0; i < reg->ledCount; ++i) {
    banks_[bank][reg->firstLed + i].*(reg->channel) = report[4 + i];
  }
  ++accepted_;
  return true;
}

HeadsetLightState::Rgb HeadsetLightState::Led(uint8_t bank, size_t led) const {
  std::lock_guard lock(mutex_);
  const int index = BankIndex(bank);
  if (index < 0 || led >= kLedCount) return {};
  return banks_[index][led];
}

size_t HeadsetLightState::AcceptedReports() const {
  std::lock_guard lock(mutex_);
  return accepted_;
}

size_t HeadsetLightState::MalformedReports() const {
  std::lock_guard lock(mutex_);
  return malformed_;
}

}  // namespace velmora::sim
