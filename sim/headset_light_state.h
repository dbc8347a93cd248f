#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <span>

namespace velmora::sim {

// The headset's LED registers, set by 17-byte light output reports: report id 0xFF, bank
// (0x22 or 0x44), register (0xAA/0xAB/0xAC red/green/blue of LEDs 0-6, 0xAD/0xAE/0xAF of
// LEDs 7-12), 0, then one value per LED from byte 4. Thread-safe.
class HeadsetLightState {
 public:
  static constexpr uint8_t kReportId = 0xFF;
  static constexpr size_t kReportSize = 17;
  static constexpr size_t kLedCount = 13;
  static constexpr uint8_t kBanks[2] = {0x22, 0x44};

  struct Rgb {
    uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
  };

  // Applies one light report; false (and counted as malformed) for a report of another
  // size, id, bank or register.
  bool Apply(std::span<const uint8_t> report);

  Rgb Led(uint8_t bank, size_t led) const;
  size_t AcceptedReports() const;
  size_t MalformedReports() const;

 private:
  static int BankIndex(uint8_t bank);

  mutable std::mutex mutex_;
  std::array<std::array<Rgb, kLedCount>, 2> banks_{};
  size_t accepted_ = 0;
  size_t malformed_ = 0;
};

}  // namespace velmora::sim
