// The simulated products must look to the program exactly as the supported-interface
// table expects: identities, collection numbers, usages and report lengths.

#include <gtest/gtest.h>

#include <set>

#include "bus_fixture.h"
#include "devices/supported_interfaces.h"
#include "platform/hid_descriptor.h"
#include "sim/report_descriptors.h"
#include "transport/hid_path_parse.h"

namespace velmora::sim {
namespace {

using testing::BusTest;

TEST(SimulatedDescriptors, ParseIntoTheExpectedTopLevelCollections) {
  struct Expected {
    uint16_t page, usage, inputLength, outputLength;
  };
  struct Case {
    const char* name;
    std::vector<uint8_t> descriptor;
    std::vector<Expected> collections;
  };
  const Case cases[] = {
      {"boot keyboard", BootKeyboardDescriptor(), {{0x0001, 0x0006, 9, 2}}},
      {"boot mouse", BootMouseDescriptor(), {{0x0001, 0x0002, 5, 0}}},
      {"command interface",
       CommandInterfaceDescriptor(),
       {{0x0001, 0x0006, 16, 0}, {0x0001, 0x0080, 2, 0}, {0x000C, 0x0001, 3, 0}, {0xFF1C, 0x0092, 64, 64}}},
      {"headset", HeadsetDescriptor(), {{0x000C, 0x0001, 64, 64}}},
  };
  for (const auto& c : cases) {
    std::vector<platform::HidPreparsedData> parsed;
    ASSERT_TRUE(platform::ParseReportDescriptor(c.descriptor, parsed)) << c.name;
    ASSERT_EQ(parsed.size(), c.collections.size()) << c.name;
    for (size_t i = 0; i < parsed.size(); ++i) {
      const auto& caps = parsed[i].Caps();
      EXPECT_EQ(caps.usagePage, c.collections[i].page) << c.name << " collection " << i + 1;
      EXPECT_EQ(caps.usage, c.collections[i].usage) << c.name << " collection " << i + 1;
      EXPECT_EQ(caps.inputReportByteLength, c.collections[i].inputLength) << c.name << " collection " << i + 1;
      EXPECT_EQ(caps.outputReportByteLength, c.collections[i].outputLength) << c.name << " collection " << i + 1;
    }
  }
}

TEST(SimulatedDescriptors, NotificationArrayYieldsTheCodeAsItsFirstUsage) {
  std::vector<platform::HidPreparsedData> parsed;
  ASSERT_TRUE(platform::ParseReportDescriptor(CommandInterfaceDescriptor(), parsed));
  const auto& consumer = parsed[2];
  const uint8_t report[] = {kNotificationReportId, 0x23, 0x11};
  uint16_t usages[4] = {};
  uint32_t count = 4;
  ASSERT_EQ(platform::HidpGetUsages(platform::HidReportType::Input, 0x000C, 0, usages, &count, consumer, report),
            platform::HidpStatus::Success);
  ASSERT_GE(count, 1u);
  EXPECT_EQ(usages[0], 0x1123);
}

TEST_F(BusTest, PathsListTheElevenSupportedInterfacesWithTheirTableIdentities) {
  std::vector<std::string> paths;
  ASSERT_TRUE(machine.Bus()->EnumeratePaths(paths));
  std::set<int> rows;
  for (const auto& path : paths) {
    auto c = machine.Bus()->Open(path, {});
    ASSERT_TRUE(c) << path;
    const auto& caps = c->PreparsedData().Caps();
    const int row = devices::FindSupportedInterface(
        c->Attributes().vendorId, c->Attributes().productId, transport::ParseInterfaceNumber(path),
        transport::ParseCollectionNumber(path), caps.usagePage, caps.usage);
    if (row >= 0) {
      EXPECT_TRUE(rows.insert(row).second) << "row " << row << " twice: " << path;
    }
  }
  EXPECT_EQ(rows.size(), devices::kSupportedInterfaceCount);
}

TEST_F(BusTest, ProductPathsAreTheOnesTheBusLists) {
  std::vector<std::string> paths;
  ASSERT_TRUE(machine.Bus()->EnumeratePaths(paths));
  const std::set<std::string> listed(paths.begin(), paths.end());
  for (ProductKind kind : kAllProducts) {
    EXPECT_TRUE(listed.count(machine.Product(kind).CommandPath())) << machine.Product(kind).CommandPath();
    EXPECT_TRUE(listed.count(machine.Product(kind).NotificationPath())) << IdentityOf(kind).name;
  }
  const std::string keyboard = machine.Product(ProductKind::Keyboard).CommandPath();
  EXPECT_EQ(keyboard.substr(keyboard.find('#')), "#vid_320f&pid_505b&mi_01&col04");
  machine.Unplug(ProductKind::Mouse);
  EXPECT_TRUE(machine.Product(ProductKind::Mouse).CommandPath().empty());
}

}  // namespace
}  // namespace velmora::sim
