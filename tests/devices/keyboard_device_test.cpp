#include "devices/keyboard_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "devices/keyboard_colour_table.h"
#include "devices/keyboard_layout.h"
#include "keyboard_rig.h"
#include "profiles/json_file.h"
#include "sim/factory_memory.h"

namespace velmora::devices {
namespace {

using sim::MemoryArea;
using testing::KeyboardRig;
using testing::StatusRecorder;

constexpr uint8_t kBeginConfig = 0x01, kEndConfig = 0x02, kReadInfo = 0x03, kReadKeyMap = 0x07,
                  kWriteKeyMap = 0x09, kReadLedMap = 0x1B, kStreamFrame = 0x12;

size_t CountOf(const std::vector<uint8_t>& commands, uint8_t command) {
  return static_cast<size_t>(std::count(commands.begin(), commands.end(), command));
}

using KeyboardReadTest = KeyboardRig;

TEST_F(KeyboardReadTest, KeyCountTooLargeForTheKeyMapStopsAfterTheInformationBlock) {
  OpenCable();
  const uint8_t keys = 171;
  Firmware().Load(MemoryArea::Information, sim::kInfoKeyCountByte, std::span(&keys, 1));

  EXPECT_FALSE(keyboard.ReadKeyboard());

  const std::vector<uint8_t> sent = CommandsSent();
  EXPECT_EQ(CountOf(sent, kReadInfo), 1u);
  EXPECT_EQ(CountOf(sent, kReadKeyMap), 0u);
  EXPECT_EQ(CountOf(sent, kReadLedMap), 0u);
  // The configuration that was begun is still ended.
  EXPECT_EQ(sent.front(), kBeginConfig);
  EXPECT_EQ(sent.back(), kEndConfig);
}

TEST_F(KeyboardReadTest, PositionMapsFollowTheDevicesKeyMapAndLedMap) {
  OpenCable();
  // Move Esc (position 0's factory code 20 00 29) to key index 40 and the F1 key (position 1,
  // 20 00 3A) nowhere; key 40 drives LED 99.
  std::vector<uint8_t> keyMap = Memory(MemoryArea::KeyMap);
  std::vector<uint8_t> ledMap = Memory(MemoryArea::LedMap);
  keyMap[0] = 0x20, keyMap[1] = 0x00, keyMap[2] = 0x04;  // index 0 now holds "A"
  keyMap[3] = 0x20, keyMap[4] = 0x00, keyMap[5] = 0x05;  // index 1 now holds "B"
  keyMap[120] = 0x20, keyMap[121] = 0x00, keyMap[122] = 0x29;
  ledMap[40] = 99;
  Firmware().Load(MemoryArea::KeyMap, 0, keyMap);
  Firmware().Load(MemoryArea::LedMap, 0, ledMap);

  ASSERT_TRUE(keyboard.ReadKeyboard());

  const KeyPositionMaps& maps = keyboard.PositionMaps();
  EXPECT_EQ(maps.keyIndex[0], 40);
  EXPECT_EQ(maps.ledIndex[0], 99);
  EXPECT_EQ(maps.keyIndex[1], kNoMappedIndex);
  EXPECT_EQ(maps.ledIndex[1], kNoMappedIndex);
  // Every other position with a key of its own finds the key whose code is its factory code.
  for (size_t position = 2; position < kKeyboardPositionCount; ++position) {
    const uint8_t k = maps.keyIndex[position];
    if (!IsKeyPositionUsed(position) || k == kNoMappedIndex) continue;
    const KeyFunctionCode& code = kKeyPositionDefaultCodes[position];
    EXPECT_EQ(keyMap[k * 3], code.type) << position;
    EXPECT_EQ(keyMap[k * 3 + 1], code.argument) << position;
    EXPECT_EQ(keyMap[k * 3 + 2], code.code) << position;
    EXPECT_EQ(maps.ledIndex[position], ledMap[k]) << position;
  }
  EXPECT_EQ(keyboard.KeyMapBlock()[120 + 2], 0x29);
}

TEST_F(KeyboardReadTest, ClosedChannelReadsNothing) {
  machine.Plug(sim::ProductKind::Keyboard);
  EXPECT_FALSE(keyboard.ReadKeyboard());
  EXPECT_EQ(keyboard.ReadParameterRecord(), -1);
  keyboard.HandleNotificationCode(0x1005);
  EXPECT_EQ(keyboard.GetActiveProfile(), 0);
  EXPECT_TRUE(CommandsSent().empty());
}

class KeyboardParameterTest : public KeyboardRig {
 protected:
  void SetUp() override {
    OpenCable();
    keyboard.LoadMacroConfig();  // the light mode list
    ASSERT_FALSE(keyboard.LightModeValues().empty());
  }

  std::vector<uint8_t> RecordInMemory(int profile) {
    const std::vector<uint8_t> params = Memory(MemoryArea::Parameters);
    const auto begin = params.begin() + profile * kParameterRecordStride;
    return std::vector<uint8_t>(begin, begin + kParameterRecordSize);
  }

  void SelectDeviceProfile(uint8_t profile) {
    Firmware().Load(MemoryArea::Parameters, 0, std::span(&profile, 1));
  }
};

TEST_F(KeyboardParameterTest, SoftwareDrivenModesAreStoredAs0xFE) {
  for (uint8_t mode : {29, 30}) {
    LightSettings light;
    light.mode = mode;
    keyboard.SetLightSettings(light.mode, 0, 0, 0);
    ASSERT_EQ(keyboard.WriteParameterRecord(1, 1), 1);
    EXPECT_EQ(RecordInMemory(1)[1], kSoftwareModeByte) << int{mode};
  }
  keyboard.SetLightSettings(28, 0, 0, 0);
  ASSERT_EQ(keyboard.WriteParameterRecord(1, 1), 1);
  EXPECT_EQ(RecordInMemory(1)[1], 28);
}

TEST_F(KeyboardParameterTest, RecordRoundTripsThroughTheDevice) {
  const profiles::LightInfoRecord written = [] {
    profiles::LightInfoRecord r;
    r.selectItem = 12;
    r.light = 17;
    r.speed = 3;
    r.fx = 1;
    r.multiColor = 1;
    r.red = 10, r.green = 20, r.blue = 30;
    r.zzccLedMode = 2;
    r.customGroup = 3;
    return r;
  }();
  keyboard.SetLightSettings(written.Word1(), written.Word2(), written.Word3(), written.Half4());
  keyboard.SetSystemSettings(KeyboardSystemSettings{5, 2, 1, 3, 1, 1});
  ASSERT_EQ(keyboard.WriteParameterRecord(2, 2), 1);

  const std::vector<uint8_t> stored = RecordInMemory(2);
  EXPECT_EQ(stored[0], 2);
  EXPECT_EQ(stored[1], 12);
  EXPECT_EQ(stored[2], 17);
  EXPECT_EQ(stored[3], 4 - 3);
  EXPECT_EQ(stored[19], 2);
  EXPECT_EQ(stored[23], 3);
  EXPECT_EQ(stored[26], 3);

  // Something else is shown now; reading the device brings the record back.
  keyboard.SetLightSettings(0, 0, 0, 0);
  keyboard.SetSystemSettings(KeyboardSystemSettings{});
  SelectDeviceProfile(2);
  EXPECT_EQ(keyboard.ReadParameterRecord(), 2);

  const LightSettings light = keyboard.GetLightState();
  EXPECT_EQ(light, (LightSettings{12, 17, 3, 1, 1, 10, 20, 30, 2, 3}));
  const KeyboardSystemSettings system = keyboard.GetSystemSettings();
  EXPECT_EQ(system.wFlag, 1);
  EXPECT_EQ(system.sixKey, 1);
  EXPECT_EQ(system.winLock, 1);
  EXPECT_EQ(system.pollingRate, 0) << "the polling rate is not read back";
  // And the document holds what was read.
  EXPECT_EQ(keyboard.Profile().GetLightInfo().selectItem, 12);
}

TEST_F(KeyboardParameterTest, ModeByte0xFEKeepsTheCurrentMode) {
  keyboard.SetLightSettings(30, 0, 0, 0);
  ParameterRecord record{};
  record[1] = kSoftwareModeByte;
  record[2] = 9;
  Firmware().Load(MemoryArea::Parameters, 0, record);
  EXPECT_EQ(keyboard.ReadParameterRecord(), 0);
  EXPECT_EQ(keyboard.GetLightState().mode, 30);
  EXPECT_EQ(keyboard.GetLightState().brightness, 9);
}

TEST_F(KeyboardParameterTest, ReadingTheRecordClearsTheLightPausedFlag) {
  keyboard.Channel().SetLightPaused(true);
  keyboard.ReadParameterRecord();
  EXPECT_FALSE(keyboard.Channel().IsLightPaused());
}

TEST_F(KeyboardParameterTest, ProfileChangeNotifications) {
  struct Case {
    uint32_t code;
    int profile;
    int secondary;  // -1: byte 18 untouched
  };
  const Case cases[] = {{0x1123, 3, 2}, {0x1005, 5, -1}, {0x10F7, 7, -1}, {0x11A1, 1, 10}};
  for (const Case c : cases) {
    const uint8_t before = keyboard.LastParameterRecord()[kSecondaryProfileByte];
    keyboard.HandleNotificationCode(c.code);
    EXPECT_EQ(keyboard.GetActiveProfile(), c.profile) << std::hex << c.code;
    const uint8_t after = keyboard.LastParameterRecord()[kSecondaryProfileByte];
    EXPECT_EQ(after, c.secondary < 0 ? before : c.secondary) << std::hex << c.code;
  }
  // Codes of other kinds, and 0x402 and below, are not profile changes.
  for (uint32_t code : {0x0401u, 0x0402u, 0x1205u, 0x0F03u}) {
    keyboard.HandleNotificationCode(code);
    EXPECT_EQ(keyboard.GetActiveProfile(), 1) << std::hex << code;
  }
}

class KeyboardKeyMapTest : public KeyboardRig {
 protected:
  void SetUp() override {
    OpenCable();
    ASSERT_TRUE(keyboard.ReadKeyboard());
  }

  void WriteMacroConfig(int macros) {
    Json::Value config;
    for (int i = 0; i < macros; ++i) {
      config["MacroInfo"][i]["MacroName"] = "macro " + std::to_string(i);
      config["MacroInfo"][i]["Guid"] = "2026_01_01_00_00_00_00" + std::to_string(i);
    }
    ASSERT_EQ(profiles::WriteJsonFile(UserFolder() + "macro.config", config), profiles::kWriteOk);
  }

  static profiles::KeyAssignEntry Assign(uint16_t position, uint8_t type, uint8_t first,
                                         uint8_t second) {
    profiles::KeyAssignment code{position, type, first, second};
    return profiles::KeyAssignEntry{code, code};
  }

  // The key function the device now holds for a position.
  std::array<uint8_t, 3> DeviceKeyAt(size_t position) {
    const std::vector<uint8_t> map = Memory(MemoryArea::KeyMap);
    const size_t k = keyboard.PositionMaps().keyIndex[position];
    return {map[k * 3], map[k * 3 + 1], map[k * 3 + 2]};
  }
};

TEST_F(KeyboardKeyMapTest, MacroReferencesAreRenumberedInFirstUseOrder) {
  WriteMacroConfig(4);
  std::vector<profiles::KeyAssignEntry> list;
  for (uint16_t p = 0; p < 8; ++p) {
    const KeyFunctionCode& code = kKeyPositionDefaultCodes[p];
    list.push_back(Assign(p, code.type, code.argument, code.code));
  }
  list[2] = Assign(2, 0x70, 3, 0);  // first macro used: macro 3 -> place 0
  list[3] = Assign(3, 0x71, 1, 5);  // macro 1 -> place 1
  list[4] = Assign(4, 0x70, 3, 2);  // macro 3 again -> place 0
  list[5] = Assign(5, 0x70, 9, 0);  // not in the macro list: written as it is
  list[6] = Assign(6, 0x20, 0x02, 0x04);

  ASSERT_EQ(keyboard.WriteKeyAssignments(list), 1);

  using Bytes = std::array<uint8_t, 3>;
  EXPECT_EQ(DeviceKeyAt(2), (Bytes{0x70, 0, 0}));
  EXPECT_EQ(DeviceKeyAt(3), (Bytes{0x71, 1, 5}));
  EXPECT_EQ(DeviceKeyAt(4), (Bytes{0x70, 0, 2}));
  EXPECT_EQ(DeviceKeyAt(5), (Bytes{0x70, 9, 0}));
  EXPECT_EQ(DeviceKeyAt(6), (Bytes{0x20, 0x02, 0x04}));
  EXPECT_EQ(DeviceKeyAt(0), (Bytes{0x20, 0x00, 0x29}));
  // Keys past the list keep what the device had.
  EXPECT_EQ(DeviceKeyAt(43), (Bytes{0x20, 0x00, 0x14}));
  const std::vector<uint8_t> sent = CommandsSent();
  EXPECT_EQ(CountOf(sent, kWriteKeyMap), (170 * 3 + 55) / 56);
}

TEST_F(KeyboardReadTest, KeyAssignmentsAreNotWrittenBeforeTheKeyMapWasRead) {
  OpenCable();
  const std::vector<uint8_t> before = Memory(MemoryArea::KeyMap);
  std::vector<profiles::KeyAssignEntry> list(2);
  list[0].current = {0, 0x20, 0x00, 0x04};
  EXPECT_EQ(keyboard.WriteKeyAssignments(list), 0);
  EXPECT_EQ(CountOf(CommandsSent(), kWriteKeyMap), 0u);
  EXPECT_EQ(Memory(MemoryArea::KeyMap), before);
}

TEST_F(KeyboardKeyMapTest, ProfileKeyAssignmentsWriteTheCurrentList) {
  WriteMacroConfig(1);
  std::vector<profiles::KeyAssignEntry> list(3);
  list[0] = Assign(0, 0x70, 0, 0);
  list[1] = Assign(1, 0x20, 0, 0x3A);
  list[2] = Assign(2, 0x20, 0, 0x3B);
  keyboard.SetKeyAssignments(list);
  EXPECT_EQ(keyboard.ListMacroKeys(), std::vector<int>{0});
  ASSERT_EQ(keyboard.WriteProfileKeyAssignments(0), 1);
  EXPECT_EQ(DeviceKeyAt(0), (std::array<uint8_t, 3>{0x70, 0, 0}));
}

TEST_F(KeyboardKeyMapTest, CustomColourTableOfMode20) {
  // Custom group 1 of the document: position p gets (p, 2p, 255 - p).
  keyboard.OpenProfileFiles();
  std::vector<profiles::CustomLightColor> colours(170);
  for (size_t p = 0; p < colours.size(); ++p) {
    colours[p] = {static_cast<uint8_t>(p), static_cast<uint8_t>(2 * p),
                  static_cast<uint8_t>(255 - p), 255};
  }
  keyboard.Profile().SetCustomLightColors(colours, 1);
  profiles::LightInfoRecord light;
  light.selectItem = 20;
  light.light = 13;  // brightness 133
  light.customGroup = 1;
  keyboard.SetLightSettings(light.Word1(), light.Word2(), light.Word3(), light.Half4());

  const std::vector<uint8_t> tables = Memory(MemoryArea::ColorTables);
  const KeyPositionMaps& maps = keyboard.PositionMaps();
  std::vector<uint8_t> expected(512, 0);
  for (size_t p = 0; p < kColourTablePositions; ++p) {
    const uint8_t led = maps.ledIndex[p];
    if (led == kNoMappedIndex) continue;
    expected[led * 3] = static_cast<uint8_t>(p * 133 >> 8);
    expected[led * 3 + 1] = static_cast<uint8_t>(2 * p * 133 >> 8);
    expected[led * 3 + 2] = static_cast<uint8_t>((255 - p) * 133 >> 8);
  }
  ASSERT_GE(tables.size(), 1024u);
  EXPECT_TRUE(std::equal(expected.begin(), expected.begin() + 170 * 3, tables.begin() + 512));
  // Only K x 3 bytes were sent; table 0 is untouched.
  EXPECT_TRUE(std::all_of(tables.begin(), tables.begin() + 512, [](uint8_t b) { return b == 0; }));

  // A key given the user colour is sent raw and kept in the document.
  keyboard.SetLightColor(200, 100, 50);
  keyboard.SetCustomKeyColor(0);
  const std::vector<uint8_t> after = Memory(MemoryArea::ColorTables);
  const size_t led0 = maps.ledIndex[0];
  EXPECT_EQ(after[512 + led0 * 3], 200);
  EXPECT_EQ(after[512 + led0 * 3 + 1], 100);
  EXPECT_EQ(after[512 + led0 * 3 + 2], 50);
  const size_t led5 = maps.ledIndex[5];
  EXPECT_EQ(after[512 + led5 * 3], 5) << "other keys keep their raw colour";
  EXPECT_EQ(keyboard.Profile().GetCustomLightColors(1, 170)[0].red, 200);
}

TEST_F(KeyboardKeyMapTest, SoftwareFramesOnlyInModes29And30) {
  for (int mode = 0; mode <= 30; ++mode) {
    keyboard.SetLightSettings(static_cast<uint32_t>(mode) | 24u << 8, 0, 0, 0);
    machine.Log().Clear();
    keyboard.SetLedColor(0, LedColor{255, 128, 0, 255}.Pack());
    keyboard.SendLightFrame();
    const size_t frames = CountOf(CommandsSent(), kStreamFrame);
    EXPECT_EQ(frames, mode == 29 || mode == 30 ? (170u * 3 + 55) / 56 : 0u) << "mode " << mode;
  }
  // The frame puts position 0's colour at its LED.
  const std::vector<uint8_t> frame = Memory(MemoryArea::LightFrame);
  const size_t led = keyboard.PositionMaps().ledIndex[0];
  EXPECT_EQ(frame[led * 3], 254);
  EXPECT_EQ(frame[led * 3 + 1], 127);
}

using KeyboardReceiverTest = KeyboardRig;

TEST_F(KeyboardReceiverTest, NoFramesThroughTheReceiver) {
  OpenReceiver();
  keyboard.SetLightSettings(30, 0, 0, 0);
  machine.Log().Clear();
  keyboard.SendLightFrame();
  EXPECT_EQ(CountOf(CommandsSent(sim::ProductKind::KeyboardReceiver), kStreamFrame), 0u);
  EXPECT_EQ(CountOf(CommandsSent(sim::ProductKind::Keyboard), kStreamFrame), 0u);
}

TEST_F(KeyboardReceiverTest, StatusThroughTheReceiverReportsLinkByte1) {
  OpenReceiver();
  StatusRecorder recorder;
  keyboard.SetPowerIndicator(nullptr, &recorder);
  keyboard.SetMainWindow(&recorder);
  std::array<uint8_t, 6> status = {87, 2, 0, 0, 9, 1};
  Firmware().Load(MemoryArea::Status, 0, status);

  EXPECT_EQ(keyboard.IsReceiverLinked(), 1);
  keyboard.ReadPowerStatus();

  ASSERT_EQ(recorder.shown.size(), 6u);
  EXPECT_EQ(recorder.shown[0], 87);
  EXPECT_EQ(recorder.shown[3], 1);
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0], (std::pair<uint32_t, uint64_t>{kPowerStatusMessage, 9}));

  machine.Product(sim::ProductKind::KeyboardReceiver).SetLinked(false);
  EXPECT_EQ(keyboard.IsReceiverLinked(), 0);
  recorder.shown.clear();
  keyboard.ReadPowerStatus();
  EXPECT_TRUE(recorder.shown.empty()) << "an unlinked keyboard is not asked";
}

TEST_F(KeyboardReceiverTest, StatusOnTheCableReportsLinkByte0) {
  OpenCable();
  StatusRecorder recorder;
  keyboard.SetPowerIndicator(nullptr, &recorder);
  std::array<uint8_t, 6> status = {50, 0, 0, 1, 0, 0};
  Firmware().Load(MemoryArea::Status, 0, status);
  EXPECT_EQ(keyboard.IsReceiverLinked(), 0) << "on its cable the keyboard is not behind a receiver";
  keyboard.ReadPowerStatus();
  ASSERT_EQ(recorder.shown.size(), 6u);
  EXPECT_EQ(recorder.shown[3], 0);
}

}  // namespace
}  // namespace velmora::devices
