#include "platform/virtual_hid.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "hid_test_support.h"
#include "platform/composite_hid_backend.h"
#include "platform/event.h"

namespace velmora::platform {
namespace {

using ::testing::ElementsAre;
using testing::LoadDescriptor;

// A device whose firmware answers every output report on the bus with an input report
// (while the write is still in progress) or stalls or fails it, as set.
class EchoDevice : public VirtualHidDevice {
 public:
  EchoDevice(VirtualHidBus& bus, std::string fixture, uint16_t product = 0x505B)
      : bus_(bus), descriptor_(LoadDescriptor(fixture)), product_(product) {}

  HidAttributes Attributes() const override { return {0x320F, product_, 0x0100}; }
  uint8_t InterfaceNumber() const override { return 1; }
  std::vector<uint8_t> ReportDescriptor() const override { return descriptor_; }
  VirtualWriteResult OnOutputReport(std::span<const uint8_t> report) override {
    ++writes;
    if (result != VirtualWriteResult::Accepted) return result;
    bus_.DeliverInput(node, report);
    return result;
  }

  int node = -1;
  std::atomic<VirtualWriteResult> result{VirtualWriteResult::Accepted};
  std::atomic<int> writes{0};

 private:
  VirtualHidBus& bus_;
  std::vector<uint8_t> descriptor_;
  uint16_t product_;
};

class VirtualHidBusTest : public ::testing::Test {
 protected:
  std::shared_ptr<EchoDevice> PlugComposite() {
    auto device = std::make_shared<EchoDevice>(bus_, "composite");
    device->node = bus_.Plug(device);
    return device;
  }
  std::string PathOf(int node, int collection) {
    char text[64];
    std::snprintf(text, sizeof text, "virtual:%d#vid_320f&pid_505b&mi_01&col%02x", node, collection);
    return text;
  }
  static std::vector<uint8_t> ReadOne(HidConnection& c, uint32_t timeoutMs, HidIoStatus expected = HidIoStatus::Ok) {
    std::vector<uint8_t> buffer(32);
    size_t transferred = 0;
    EXPECT_EQ(c.Read(buffer, transferred, timeoutMs), expected);
    buffer.resize(transferred);
    return buffer;
  }

  VirtualHidBus bus_;
};

TEST_F(VirtualHidBusTest, SplitsDevicesIntoCollectionsLikeHidraw) {
  auto composite = PlugComposite();
  auto mouse = std::make_shared<EchoDevice>(bus_, "wheel_mouse", 0x221C);
  mouse->node = bus_.Plug(mouse);
  std::vector<std::string> paths;
  ASSERT_TRUE(bus_.EnumeratePaths(paths));
  EXPECT_THAT(paths, ElementsAre(PathOf(0, 1), PathOf(0, 2), PathOf(0, 3), PathOf(0, 4),
                                 "virtual:1#vid_320f&pid_221c&mi_01"));
  auto vendor = bus_.Open(PathOf(0, 4), {.read = true, .write = true});
  ASSERT_TRUE(vendor);
  EXPECT_EQ(vendor->PreparsedData().Caps().usagePage, 0xFF1C);
  EXPECT_EQ(vendor->Attributes().versionNumber, 0x0100);
}

TEST_F(VirtualHidBusTest, RoutesInputToEveryOpenConnectionOfTheCollectionInOrder) {
  auto device = PlugComposite();
  auto keyboardA = bus_.Open(PathOf(0, 1), {.read = true});
  auto keyboardB = bus_.Open(PathOf(0, 1), {.read = true});
  auto consumer = bus_.Open(PathOf(0, 2), {.read = true});
  bus_.DeliverInput(0, std::vector<uint8_t>{2, 0x01});
  bus_.DeliverInput(0, std::vector<uint8_t>{1, 0, 0, 4, 0, 0, 0, 0, 0});
  bus_.DeliverInput(0, std::vector<uint8_t>{2, 0x02});
  bus_.DeliverInput(0, std::vector<uint8_t>{9, 0x02});  // no collection carries id 9
  EXPECT_THAT(ReadOne(*consumer, 100), ElementsAre(2, 0x01));
  EXPECT_THAT(ReadOne(*consumer, 100), ElementsAre(2, 0x02));
  ReadOne(*consumer, 20, HidIoStatus::TimedOut);
  for (auto* keyboard : {keyboardA.get(), keyboardB.get()}) {
    EXPECT_THAT(ReadOne(*keyboard, 100), ElementsAre(1, 0, 0, 4, 0, 0, 0, 0, 0));
  }
}

TEST_F(VirtualHidBusTest, FirmwareMayDeliverInputFromInsideItsOutputHandler) {
  auto device = PlugComposite();
  auto keyboard = bus_.Open(PathOf(0, 1), {.read = true, .write = true});
  size_t transferred = 0;
  ASSERT_EQ(keyboard->Write(std::vector<uint8_t>{1, 0x03}, transferred, 1000), HidIoStatus::Ok);
  EXPECT_EQ(transferred, 2u);
  EXPECT_THAT(ReadOne(*keyboard, 100), ElementsAre(1, 0x03));
  EXPECT_TRUE(keyboard->SetOutputReport(std::vector<uint8_t>{1, 0x01}));
  EXPECT_EQ(device->writes.load(), 2);
}

TEST_F(VirtualHidBusTest, FailedAndStalledWrites) {
  auto device = PlugComposite();
  auto vendor = bus_.Open(PathOf(0, 4), {.read = true, .write = true});
  size_t transferred = 7;
  device->result = VirtualWriteResult::Failed;
  EXPECT_EQ(vendor->Write(std::vector<uint8_t>{4, 0}, transferred, 1000), HidIoStatus::Failed);
  EXPECT_EQ(transferred, 0u);
  EXPECT_FALSE(vendor->SetOutputReport(std::vector<uint8_t>{4, 0}));
  device->result = VirtualWriteResult::Stalled;
  EXPECT_EQ(vendor->Write(std::vector<uint8_t>{4, 0}, transferred, 30), HidIoStatus::TimedOut);
  EXPECT_FALSE(vendor->SetOutputReport(std::vector<uint8_t>{4, 0}));
}

// A stalled write and an infinite read, each on its own thread, until Finish().
class PendingTransfers {
 public:
  PendingTransfers(HidConnection& writeOn, HidConnection& readOn)
      : writer_([&] {
          size_t transferred = 0;
          writeStatus = writeOn.Write(std::vector<uint8_t>{4, 0}, transferred, kInfinite);
        }),
        reader_([&] {
          std::vector<uint8_t> buffer(4);
          size_t transferred = 0;
          readStatus = readOn.Read(buffer, transferred, kInfinite);
        }) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // let both block
  }
  void Finish() {
    writer_.join();
    reader_.join();
  }
  HidIoStatus writeStatus = HidIoStatus::Ok;
  HidIoStatus readStatus = HidIoStatus::Ok;

 private:
  std::thread writer_, reader_;
};

TEST_F(VirtualHidBusTest, CancelEndsAStalledWriteAndAnInfiniteRead) {
  auto device = PlugComposite();
  device->result = VirtualWriteResult::Stalled;
  auto vendor = bus_.Open(PathOf(0, 4), {.read = true, .write = true});
  auto consumer = bus_.Open(PathOf(0, 2), {.read = true});
  PendingTransfers pending(*vendor, *consumer);
  vendor->Cancel();
  consumer->Cancel();
  pending.Finish();
  EXPECT_EQ(pending.writeStatus, HidIoStatus::Cancelled);
  EXPECT_EQ(pending.readStatus, HidIoStatus::Cancelled);
  bus_.DeliverInput(0, std::vector<uint8_t>{2, 1});
  ReadOne(*consumer, 1000, HidIoStatus::Cancelled);
}

TEST_F(VirtualHidBusTest, UnplugFailsPendingAndLaterTransfersAndEndsExistence) {
  auto device = PlugComposite();
  device->result = VirtualWriteResult::Stalled;
  auto vendor = bus_.Open(PathOf(0, 4), {.read = true, .write = true});
  auto consumer = bus_.Open(PathOf(0, 2), {.read = true});
  EXPECT_TRUE(bus_.Exists(PathOf(0, 2)));
  PendingTransfers pending(*vendor, *consumer);
  bus_.Unplug(device->node);
  pending.Finish();
  EXPECT_EQ(pending.writeStatus, HidIoStatus::Failed);
  EXPECT_EQ(pending.readStatus, HidIoStatus::Failed);
  EXPECT_FALSE(bus_.Exists(PathOf(0, 2)));
  EXPECT_FALSE(bus_.Open(PathOf(0, 2), {.read = true}));
  ReadOne(*consumer, 1000, HidIoStatus::Failed);
  size_t transferred = 0;
  EXPECT_EQ(vendor->Write(std::vector<uint8_t>{4, 0}, transferred, 1000), HidIoStatus::Failed);
  std::vector<std::string> paths;
  ASSERT_TRUE(bus_.EnumeratePaths(paths));
  EXPECT_TRUE(paths.empty());
  // Plugged again, the device gets a new node and new paths.
  EXPECT_EQ(bus_.Plug(device), 1);
}

// Real-device backend stand-in for the routing test.
class ListingBackend : public HidBackend {
 public:
  bool EnumeratePaths(std::vector<std::string>& paths) override {
    paths = {"/dev/hidraw0#vid_0c76&pid_1630&mi_03"};
    return listing;
  }
  std::shared_ptr<HidConnection> Open(const std::string& path, const HidOpenFlags&) override {
    opened.push_back(path);
    return nullptr;
  }
  bool Exists(const std::string& path) override { return path == "/dev/hidraw0#vid_0c76&pid_1630&mi_03"; }
  bool listing = true;
  std::vector<std::string> opened;
};

TEST(CompositeHidBackendTest, RoutesVirtualPathsToTheBusAndOthersToTheRealBackend) {
  auto bus = std::make_shared<VirtualHidBus>();
  auto real = std::make_shared<ListingBackend>();
  CompositeHidBackend composite(bus, real);
  auto device = std::make_shared<EchoDevice>(*bus, "wheel_mouse", 0x221C);
  device->node = bus->Plug(device);
  std::vector<std::string> paths;
  ASSERT_TRUE(composite.EnumeratePaths(paths));
  EXPECT_THAT(paths, ElementsAre("/dev/hidraw0#vid_0c76&pid_1630&mi_03", "virtual:0#vid_320f&pid_221c&mi_01"));
  EXPECT_TRUE(composite.Open("virtual:0#vid_320f&pid_221c&mi_01", {.read = true}));
  EXPECT_FALSE(composite.Open("/dev/hidraw0#vid_0c76&pid_1630&mi_03", {.read = true}));
  EXPECT_THAT(real->opened, ElementsAre("/dev/hidraw0#vid_0c76&pid_1630&mi_03"));
  EXPECT_TRUE(composite.Exists("/dev/hidraw0#vid_0c76&pid_1630&mi_03"));
  EXPECT_TRUE(composite.Exists("virtual:0#vid_320f&pid_221c&mi_01"));
  EXPECT_FALSE(composite.Exists("virtual:1#vid_320f&pid_221c&mi_01"));
  real->listing = false;  // a failing real listing still shows the simulated devices
  ASSERT_TRUE(composite.EnumeratePaths(paths));
  EXPECT_THAT(paths, ElementsAre("virtual:0#vid_320f&pid_221c&mi_01"));
}

TEST(HidInterfacePathTest, FormsWindowsStylePaths) {
  const HidAttributes attributes{0x320F, 0x505B, 0};
  EXPECT_EQ(MakeHidInterfacePath("/dev/hidraw3", attributes, 1, 4), "/dev/hidraw3#vid_320f&pid_505b&mi_01&col04");
  EXPECT_EQ(MakeHidInterfacePath("/dev/hidraw3", attributes, 1, 0), "/dev/hidraw3#vid_320f&pid_505b&mi_01");
  EXPECT_EQ(MakeHidInterfacePath("virtual:12", {0x0C76, 0x1630, 0}, 3, 11), "virtual:12#vid_0c76&pid_1630&mi_03&col0b");
}

TEST(HidBackendInstallTest, ScopedBackendReplacesAndRestoresTheActiveOne) {
  HidBackend* before = &ActiveHidBackend();
  auto bus = std::make_shared<VirtualHidBus>();
  {
    ScopedHidBackend scoped(bus);
    EXPECT_EQ(&ActiveHidBackend(), bus.get());
  }
  EXPECT_EQ(&ActiveHidBackend(), before);
}

TEST(HidBackendInstallTest, AReferenceInUseOutlivesItsReplacement) {
  std::weak_ptr<VirtualHidBus> watched;
  {
    auto bus = std::make_shared<VirtualHidBus>();
    watched = bus;
    ScopedHidBackend scoped(std::move(bus));
    HidBackend& inUse = ActiveHidBackend();
    std::thread([] { InstallHidBackend(nullptr); }).join();  // replaced under our feet
    std::vector<std::string> paths;
    EXPECT_TRUE(inUse.EnumeratePaths(paths));
    EXPECT_FALSE(watched.expired());
  }
  ActiveHidBackend();  // the next call lets it go
  EXPECT_TRUE(watched.expired());
}

}  // namespace
}  // namespace velmora::platform
