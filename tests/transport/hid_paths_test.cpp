// Interface path parsing, the enumerated path list and its growth.
#include <gtest/gtest.h>

#include "platform/hid_backend.h"
#include "scripted_hid.h"
#include "transport/hid_device.h"
#include "transport/hid_path_parse.h"

namespace velmora::transport::testing {
namespace {

struct ParseCase {
  const char* path;
  uint16_t vendor, product, interfaceNumber, collection;
};

TEST(HidPathParse, MarkersAreFoundInAnyCaseAndScannedAsHex) {
  const ParseCase cases[] = {
      {"/dev/hidraw3#vid_320f&pid_505b&mi_01&col04", 0x320F, 0x505B, 1, 4},
      {"\\\\?\\HID#VID_320F&PID_505B&MI_01&COL04#7&1a2b&0&0003#{4d1e55b2}", 0x320F, 0x505B, 1, 4},
      {"virtual:2#Vid_0c76&Pid_1630&Mi_03", 0x0C76, 0x1630, 3, 0},
      {"/dev/hidraw0#vid_1004&pid_1004", 0x1004, 0x1004, 0, 0},
      {"no markers at all", 0, 0, 0, 0},
      {"vid_", 0, 0, 0, 0},
      {"vid_zz&pid_12345&mi_a&col1f", 0, 0x2345, 0xA, 0x1F},
      {"", 0, 0, 0, 0},
  };
  for (const ParseCase& tc : cases) {
    SCOPED_TRACE(tc.path);
    EXPECT_EQ(ParseVendorId(tc.path), tc.vendor);
    EXPECT_EQ(ParseProductId(tc.path), tc.product);
    EXPECT_EQ(ParseInterfaceNumber(tc.path), tc.interfaceNumber);
    EXPECT_EQ(ParseCollectionNumber(tc.path), tc.collection);
  }
}

std::vector<std::string> NumberedPaths(size_t n) {
  std::vector<std::string> paths;
  for (size_t i = 0; i < n; ++i) paths.push_back("virtual:" + std::to_string(i) + "#vid_0001");
  return paths;
}

TEST(HidPathList, GrowsByDoublingAndKeepsEveryPath) {
  struct Case {
    size_t paths;
    size_t capacity;
  };
  for (const Case tc : {Case{0, 0}, Case{1, 8}, Case{8, 8}, Case{9, 16}, Case{16, 16},
                        Case{17, 32}, Case{40, 64}}) {
    SCOPED_TRACE(tc.paths);
    const auto paths = NumberedPaths(tc.paths);
    HidPathList list;
    list.Build(paths);
    EXPECT_EQ(list.Count(), tc.paths);
    EXPECT_EQ(list.Capacity(), tc.capacity);
    for (const std::string& expected : paths) {
      const std::string* next = list.Next();
      ASSERT_NE(next, nullptr);
      EXPECT_EQ(*next, expected);
    }
    EXPECT_EQ(list.Next(), nullptr);
  }
}

TEST(HidPathList, FreeEmptiesTheListAndRebuildStartsOver) {
  HidPathList list;
  list.Build(NumberedPaths(20));
  list.Next();
  list.Free();
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(list.Capacity(), 0u);
  EXPECT_EQ(list.Next(), nullptr);
  list.Build(NumberedPaths(3));
  EXPECT_EQ(list.Capacity(), 8u);
  ASSERT_NE(list.Next(), nullptr);
}

TEST(HidDeviceEnumerate, ListsThePathsOfTheBackend) {
  auto backend = std::make_shared<ScriptedBackend>();
  platform::ScopedHidBackend scope(backend);
  CHidDevice device;

  // No HID interfaces at all.
  ASSERT_EQ(device.Enumerate(), 1);
  EXPECT_EQ(device.NextPath(), nullptr);

  // A slot that could not be read reads as an empty path, not as stale data.
  auto paths = NumberedPaths(10);
  paths[3].clear();
  backend->SetListing(paths);
  ASSERT_EQ(device.Enumerate(), 1);
  EXPECT_EQ(device.PathList().Capacity(), 16u);
  for (const std::string& expected : paths) {
    const std::string* next = device.NextPath();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(*next, expected);
  }
  EXPECT_EQ(device.NextPath(), nullptr);

  // Enumerating again restarts the cursor; a failed listing leaves an empty list.
  ASSERT_EQ(device.Enumerate(), 1);
  EXPECT_NE(device.NextPath(), nullptr);
  backend->SetListingFails(true);
  EXPECT_EQ(device.Enumerate(), 0);
  EXPECT_EQ(device.NextPath(), nullptr);
  device.FreePathList();
  EXPECT_EQ(device.PathList().Count(), 0u);
}

}  // namespace
}  // namespace velmora::transport::testing
