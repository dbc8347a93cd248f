// Opening an interface by path, its capabilities and items, and single transfers.
#include <gtest/gtest.h>

#include "platform/hid_backend.h"
#include "scripted_hid.h"
#include "test_descriptors.h"
#include "transport/hid_device.h"

namespace velmora::transport::testing {
namespace {

using platform::HidIoStatus;
using platform::HidReportType;

constexpr const char* kMousePath = "virtual:4#vid_320f&pid_221c&mi_02&col03";

class HidDeviceTest : public ::testing::Test {
 protected:
  HidDeviceTest() { backend->Add(kMousePath, connection); }

  std::shared_ptr<ScriptedConnection> connection = std::make_shared<ScriptedConnection>(
      ParseFirstCollection(kTwoReportDescriptor), platform::HidAttributes{0x320F, 0x221C, 0x0105});
  std::shared_ptr<ScriptedBackend> backend = std::make_shared<ScriptedBackend>();
  platform::ScopedHidBackend scope{backend};
  CHidDevice device;
};

TEST_F(HidDeviceTest, OpenLoadsIdentityCapabilitiesAndBuffers) {
  ASSERT_EQ(device.Open(kMousePath, true, true, true, false), 1);
  EXPECT_TRUE(device.IsOpen());
  EXPECT_STREQ(device.Path(), kMousePath);
  EXPECT_EQ(device.Attributes().vendorId, 0x320F);
  EXPECT_EQ(device.Attributes().productId, 0x221C);
  EXPECT_EQ(device.Attributes().versionNumber, 0x0105);
  EXPECT_EQ(device.InterfaceNumber(), 2u);
  EXPECT_EQ(device.CollectionNumber(), 3u);
  const auto& caps = connection->PreparsedData().Caps();
  EXPECT_EQ(device.Caps().usagePage, caps.usagePage);
  EXPECT_EQ(device.Caps().usage, caps.usage);
  EXPECT_EQ(device.InputReport().size(), caps.inputReportByteLength);
  EXPECT_EQ(device.ReportBuffer(HidReportType::Output).size(), caps.outputReportByteLength);
  EXPECT_EQ(device.InputItems().size(), 7u);
  EXPECT_EQ(device.ButtonCaps(HidReportType::Input).size(), 2u);
  EXPECT_EQ(device.ValueCaps(HidReportType::Input).size(), 3u);
  EXPECT_TRUE(device.OpenFlags().read && device.OpenFlags().write && device.OpenFlags().overlapped);
  EXPECT_FALSE(device.OpenFlags().exclusive);
}

TEST_F(HidDeviceTest, CloseFreesCapabilitiesButKeepsPathAndFlags) {
  ASSERT_EQ(device.Open(kMousePath, true, false, true, false), 1);
  device.Close();
  EXPECT_FALSE(device.IsOpen());
  EXPECT_TRUE(connection->Cancelled());
  EXPECT_TRUE(device.InputReport().empty());
  EXPECT_TRUE(device.InputItems().empty());
  EXPECT_EQ(device.Attributes().vendorId, 0);
  EXPECT_EQ(device.InterfaceNumber(), 0u);
  EXPECT_STREQ(device.Path(), kMousePath);
  EXPECT_TRUE(device.OpenFlags().read);
  EXPECT_FALSE(device.OpenFlags().write);
  // Reopen uses the stored path and flags (the backend hands out a fresh connection).
  backend->Add(kMousePath, std::make_shared<ScriptedConnection>(
                               ParseFirstCollection(kTwoReportDescriptor)));
  EXPECT_EQ(device.Reopen(), 1);
  EXPECT_EQ(device.InputItems().size(), 7u);
}

TEST_F(HidDeviceTest, PathsThatDoNotFitThePathBufferAreRefused) {
  struct Case {
    size_t length;
    int expected;
  };
  for (const Case tc : {Case{259, 1}, Case{260, 0}, Case{4000, 0}}) {
    SCOPED_TRACE(tc.length);
    std::string path = kMousePath;
    path.resize(tc.length, 'x');
    backend->Add(path, std::make_shared<ScriptedConnection>());
    ASSERT_EQ(device.Open(kMousePath, true, true, true, false), 1);  // open before
    backend->Add(kMousePath, std::make_shared<ScriptedConnection>());
    EXPECT_EQ(device.Open(path, true, true, true, false), tc.expected);
    EXPECT_EQ(device.IsOpen(), tc.expected == 1);
    EXPECT_EQ(std::string(device.Path()), tc.expected == 1 ? path : "");
    EXPECT_EQ(device.Reopen(), tc.expected);
  }
}

TEST_F(HidDeviceTest, FailedOpenLeavesTheObjectClosed) {
  ASSERT_EQ(device.Open(kMousePath, true, true, true, false), 1);
  EXPECT_EQ(device.Open("virtual:9#vid_0000&pid_0000&mi_05", true, true, true, false), 0);
  EXPECT_FALSE(device.IsOpen());
  EXPECT_TRUE(device.InputItems().empty());
  EXPECT_EQ(device.InterfaceNumber(), 0u);
  uint8_t buffer[8];
  size_t transferred = 99;
  EXPECT_EQ(device.ReadReport(buffer, &transferred, 0), 0);
  EXPECT_EQ(transferred, 0u);
  EXPECT_EQ(device.WriteReport(buffer, &transferred, 0), 0);
}

TEST_F(HidDeviceTest, ProbeAsksTheBackendWhetherThePathExists) {
  EXPECT_TRUE(device.Probe(kMousePath));
  EXPECT_FALSE(device.Probe("virtual:7#vid_0001&pid_0002&mi_00"));
  EXPECT_FALSE(device.IsOpen());
}

TEST_F(HidDeviceTest, TransferOutcomesMapToOneOrZero) {
  struct Case {
    const char* name;
    bool queueReply;
    HidIoStatus writeStatus;
    int readResult;
    size_t readCount;
    int writeResult;
    size_t writeCount;
  };
  const Case cases[] = {
      {"completed", true, HidIoStatus::Ok, 1, 3, 1, 64},
      {"read times out, write fails", false, HidIoStatus::Failed, 0, 0, 0, 0},
      {"write times out", true, HidIoStatus::TimedOut, 1, 3, 0, 0},
      {"write cancelled", true, HidIoStatus::Cancelled, 1, 3, 0, 0},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.name);
    auto fresh = std::make_shared<ScriptedConnection>();
    backend->Add(kMousePath, fresh);
    ASSERT_EQ(device.Open(kMousePath, true, true, true, false), 1);
    if (tc.queueReply) fresh->QueueReply({0x01, 0x02, 0x03});
    fresh->SetWriteStatus(tc.writeStatus);
    std::vector<uint8_t> buffer(64, 0);
    size_t transferred = 77;
    EXPECT_EQ(device.ReadReport(buffer, &transferred, 1000), tc.readResult);
    EXPECT_EQ(transferred, tc.readCount);
    transferred = 77;
    EXPECT_EQ(device.WriteReport(buffer, &transferred, 1000), tc.writeResult);
    EXPECT_EQ(transferred, tc.writeCount);
    EXPECT_EQ(device.WriteReport(buffer, nullptr, 1000), tc.writeResult);  // count is optional
    EXPECT_FALSE(device.ReadPending());
    EXPECT_FALSE(device.WritePending());
  }
}

TEST_F(HidDeviceTest, UnpackWorksOnTheOpenInterfacesItems) {
  ASSERT_EQ(device.Open(kMousePath, true, true, true, false), 1);
  const std::vector<uint8_t> report = {0x02, 0x03, 1, 2, 3};
  EXPECT_EQ(CHidDevice::UnpackInputReport(report, HidReportType::Input, device.InputItems(),
                                          device.PreparsedData()),
            1);
  EXPECT_EQ(device.InputItems()[3].value.value, 3u);
  EXPECT_EQ(device.InputItems()[3].isDataSet, 1u);
}

}  // namespace
}  // namespace velmora::transport::testing
