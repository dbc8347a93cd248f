#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "devices/keyboard_device.h"
#include "platform/hid_backend.h"
#include "sim/simulated_machine.h"
#include "transport/device_channel.h"

namespace velmora::devices::testing {

// Records what the keyboard hands to the power indicator and the main window.
struct StatusRecorder : PowerIndicatorLink, MainWindowLink {
  void ShowPowerStatus(std::span<const uint8_t, 6> status) override {
    shown.assign(status.begin(), status.end());
  }
  void PostDeviceMessage(uint32_t message, uint64_t wParam, int64_t) override {
    messages.push_back({message, wParam});
  }
  std::vector<uint8_t> shown;
  std::vector<std::pair<uint32_t, uint64_t>> messages;
};

// A keyboard object wired to the simulated keyboard, on its cable or through its receiver,
// with its own data folder.
class KeyboardRig : public ::testing::Test {
 protected:
  KeyboardRig() {
    dataHome = std::filesystem::path(::testing::TempDir()) /
               ("keyboard_rig_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dataHome);
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    keyboard.SetSettingsName("profile_under_test");
  }

  // Connects device (the keyboard by default) to the simulated keyboard on its cable.
  void OpenCable() { OpenCable(keyboard); }
  void OpenCable(COrvaneUSBDevice& device) {
    machine.Plug(sim::ProductKind::Keyboard);
    ASSERT_EQ(
        device.Channel().OpenInterface(transport::kConnectionCable,
                                       machine.Product(sim::ProductKind::Keyboard).CommandPath()),
        1);
    device.SetReceiverFlag(false);
  }

  // Connects device to the same keyboard through its receiver.
  void OpenReceiver() { OpenReceiver(keyboard); }
  void OpenReceiver(COrvaneUSBDevice& device) {
    machine.Plug(sim::ProductKind::KeyboardReceiver);
    ASSERT_EQ(device.Channel().OpenInterface(
                  transport::kConnectionReceiver,
                  machine.Product(sim::ProductKind::KeyboardReceiver).CommandPath()),
              1);
    device.SetReceiverFlag(true);
  }

  sim::DeviceFirmware& Firmware() { return machine.Firmware(sim::ProductKind::Keyboard); }

  std::vector<uint8_t> Memory(sim::MemoryArea area) { return Firmware().Snapshot(area); }

  std::vector<uint8_t> CommandsSent(sim::ProductKind kind = sim::ProductKind::Keyboard) {
    return machine.Log().Commands(kind);
  }

  std::string UserFolder() { return keyboard.UserDataFolder(); }

  std::filesystem::path dataHome;
  sim::SimulatedMachine machine;
  platform::ScopedHidBackend backend{machine.Bus()};
  COrvaneKeyboardDevice keyboard;
};

}  // namespace velmora::devices::testing
