#include "platform/hidraw_backend.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "hid_test_support.h"
#include "platform/event.h"
#include "platform/hidraw_connection.h"

namespace velmora::platform {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using testing::LoadDescriptor;

void WriteFile(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// A sysfs tree laid out as the kernel does it for a USB HID interface, with the class link
// and the device link as relative symlinks, plus a /dev folder holding FIFOs as nodes.
class FakeSystem {
 public:
  FakeSystem() {
    char pattern[] = "/tmp/velmora-hidraw-XXXXXX";
    root_ = mkdtemp(pattern);
    fs::create_directories(root_ / "sys/class/hidraw");
    fs::create_directories(root_ / "dev");
  }
  ~FakeSystem() { fs::remove_all(root_); }

  std::string Sys() const { return (root_ / "sys").string(); }
  std::string Dev() const { return (root_ / "dev").string(); }

  // descriptor null: the node's report_descriptor cannot be read.
  void AddNode(int number, uint16_t vendor, uint16_t product, int interface, const char* bcd,
               const std::vector<uint8_t>* descriptor) {
    char hid[64], usbInterface[32];
    std::snprintf(hid, sizeof hid, "0003:%04X:%04X.%04X", vendor, product, number);
    std::snprintf(usbInterface, sizeof usbInterface, "1-%d:1.%d", number, interface);
    const fs::path usbDevice = root_ / "sys/devices/pci0000:00/0000:00:14.0/usb1" / ("1-" + std::to_string(number));
    const fs::path hidDir = usbDevice / usbInterface / hid;
    const std::string name = "hidraw" + std::to_string(number);
    WriteFile(usbDevice / "bcdDevice", std::string(bcd) + "\n");
    WriteFile(usbDevice / usbInterface / "bInterfaceNumber", "0" + std::to_string(interface) + "\n");
    char uevent[128];
    std::snprintf(uevent, sizeof uevent, "DRIVER=hid-generic\nHID_ID=0003:%08X:%08X\nHID_NAME=Test\n", vendor,
                  product);
    WriteFile(hidDir / "uevent", uevent);
    if (descriptor) WriteFile(hidDir / "report_descriptor", std::string(descriptor->begin(), descriptor->end()));
    fs::create_directories(hidDir / "hidraw" / name);
    fs::create_directory_symlink("../../../" + std::string(hid), hidDir / "hidraw" / name / "device");
    fs::create_directory_symlink(fs::relative(hidDir / "hidraw" / name, root_ / "sys/class/hidraw"),
                                 root_ / "sys/class/hidraw" / name);
    mkfifo((root_ / "dev" / name).c_str(), 0600);
  }

  void ReplaceDescriptor(int number, const std::vector<uint8_t>& descriptor) {
    const fs::path device = fs::canonical(root_ / "sys/class/hidraw" / ("hidraw" + std::to_string(number)) / "device");
    WriteFile(device / "report_descriptor", std::string(descriptor.begin(), descriptor.end()));
  }
  void RemoveDevNode(int number) { fs::remove(root_ / "dev" / ("hidraw" + std::to_string(number))); }

 private:
  fs::path root_;
};

class HidrawBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    keyboard_ = LoadDescriptor("boot_keyboard");
    composite_ = LoadDescriptor("composite");
    system_.AddNode(0, 0x320F, 0x505B, 0, "0102", &keyboard_);
    system_.AddNode(3, 0x320F, 0x505B, 1, "0102", &composite_);
    system_.AddNode(10, 0x0C76, 0x1630, 3, "0100", nullptr);
  }
  std::string Node(int n) const { return system_.Dev() + "/hidraw" + std::to_string(n); }

  FakeSystem system_;
  std::vector<uint8_t> keyboard_, composite_;
  HidrawBackend backend_{system_.Sys(), system_.Dev()};
};

TEST_F(HidrawBackendTest, ListsOnePathPerTopLevelCollectionInNodeOrder) {
  fs::create_directories(fs::path(system_.Sys()) / "class/hidraw/hidrawX");  // not a node name
  std::vector<std::string> paths;
  ASSERT_TRUE(backend_.EnumeratePaths(paths));
  EXPECT_THAT(paths, ElementsAre(Node(0) + "#vid_320f&pid_505b&mi_00", Node(3) + "#vid_320f&pid_505b&mi_01&col01",
                                 Node(3) + "#vid_320f&pid_505b&mi_01&col02",
                                 Node(3) + "#vid_320f&pid_505b&mi_01&col03",
                                 Node(3) + "#vid_320f&pid_505b&mi_01&col04",
                                 Node(10) + "#vid_0c76&pid_1630&mi_03"));
}

TEST_F(HidrawBackendTest, MachineWithoutHidrawListsNothing) {
  HidrawBackend empty(system_.Sys() + "/absent", system_.Dev());
  std::vector<std::string> paths{"stale"};
  EXPECT_TRUE(empty.EnumeratePaths(paths));
  EXPECT_TRUE(paths.empty());
}

TEST_F(HidrawBackendTest, OpensACollectionWithItsAttributesAndCapabilities) {
  auto vendor = backend_.Open(Node(3) + "#vid_320f&pid_505b&mi_01&col04", {.read = true, .write = true});
  ASSERT_TRUE(vendor);
  EXPECT_EQ(vendor->Attributes().vendorId, 0x320F);
  EXPECT_EQ(vendor->Attributes().productId, 0x505B);
  EXPECT_EQ(vendor->Attributes().versionNumber, 0x0102);
  EXPECT_EQ(vendor->PreparsedData().Caps().usagePage, 0xFF1C);
  EXPECT_EQ(vendor->PreparsedData().Caps().featureReportByteLength, 17);

  // A node whose descriptor cannot be read opens with no capabilities: nothing claims it.
  auto unreadable = backend_.Open(Node(10) + "#vid_0c76&pid_1630&mi_03", {.read = true});
  ASSERT_TRUE(unreadable);
  EXPECT_EQ(unreadable->PreparsedData().Caps().usagePage, 0);
  EXPECT_EQ(unreadable->PreparsedData().Caps().inputReportByteLength, 0);
}

TEST_F(HidrawBackendTest, RefusesPathsThatNameNoPresentInterface) {
  for (const std::string& path : {Node(3) + "#vid_320f&pid_505b&mi_01&col05", Node(3) + "#vid_320f&pid_505b&mi_01",
                                  Node(0) + "#vid_320f&pid_5088&mi_00", Node(7) + "#vid_320f&pid_505b&mi_00",
                                  std::string("no-separator"), system_.Sys() + "/hidraw0#vid_320f&pid_505b&mi_00"}) {
    EXPECT_FALSE(backend_.Open(path, {.read = true})) << path;
    EXPECT_FALSE(backend_.Exists(path)) << path;
  }
}

TEST_F(HidrawBackendTest, ExistsWhileTheNodeKeepsItsIdentity) {
  std::vector<std::string> paths;
  ASSERT_TRUE(backend_.EnumeratePaths(paths));
  const std::string col3 = Node(3) + "#vid_320f&pid_505b&mi_01&col03";
  EXPECT_TRUE(backend_.Exists(col3));
  // Another device on the same node with three collections still has a col03, but it is
  // not the interface listed before.
  std::vector<uint8_t> three(composite_.begin(), composite_.end() - 23);  // without the vendor collection
  system_.ReplaceDescriptor(3, three);
  EXPECT_FALSE(backend_.Exists(col3));
  EXPECT_TRUE(backend_.Exists(Node(0) + "#vid_320f&pid_505b&mi_00"));
  system_.RemoveDevNode(0);
  EXPECT_FALSE(backend_.Exists(Node(0) + "#vid_320f&pid_505b&mi_00"));
}

// The I/O paths over a datagram socket pair, which keeps report boundaries like hidraw.
class HidrawConnectionTest : public ::testing::Test {
 protected:
  std::unique_ptr<HidrawConnection> Connect(const char* fixture, size_t collection, bool numbered) {
    int fds[2];
    EXPECT_EQ(socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds), 0);
    peer_ = fds[1];
    std::vector<HidPreparsedData> collections;
    EXPECT_TRUE(ParseReportDescriptor(LoadDescriptor(fixture), collections));
    return std::make_unique<HidrawConnection>(fds[0], HidAttributes{0x320F, 0x505B, 1}, collections.at(collection),
                                              numbered);
  }
  void Send(std::vector<uint8_t> bytes) { ASSERT_EQ(write(peer_, bytes.data(), bytes.size()), ssize_t(bytes.size())); }
  std::vector<uint8_t> Receive() {
    std::vector<uint8_t> bytes(256);
    const ssize_t n = read(peer_, bytes.data(), bytes.size());
    bytes.resize(n > 0 ? size_t(n) : 0);
    return bytes;
  }
  void TearDown() override {
    if (peer_ >= 0) close(peer_);
  }
  int peer_ = -1;
};

TEST_F(HidrawConnectionTest, ReadsOnlyTheCollectionsOwnReports) {
  auto consumer = Connect("composite", 1, true);  // report id 2
  Send({1, 0, 0, 4, 0, 0, 0, 0, 0});               // the keyboard's
  Send({2, 0x05});
  std::vector<uint8_t> buffer(8, 0xEE);
  size_t transferred = 99;
  ASSERT_EQ(consumer->Read(buffer, transferred, 1000), HidIoStatus::Ok);
  ASSERT_EQ(transferred, 2u);
  EXPECT_THAT(std::vector<uint8_t>(buffer.begin(), buffer.begin() + 2), ElementsAre(2, 0x05));
}

TEST_F(HidrawConnectionTest, PrependsTheZeroIdOfUnnumberedReportsAndCutsLongOnes) {
  auto mouse = Connect("wheel_mouse", 0, false);
  Send({0x01, 0xFF, 0x05, 0x00});
  std::vector<uint8_t> buffer(5);
  size_t transferred = 0;
  ASSERT_EQ(mouse->Read(buffer, transferred, 1000), HidIoStatus::Ok);
  EXPECT_EQ(transferred, 5u);
  EXPECT_THAT(buffer, ElementsAre(0, 0x01, 0xFF, 0x05, 0x00));
  Send({0x01, 0xFF, 0x05, 0x00});
  std::vector<uint8_t> small(3);
  ASSERT_EQ(mouse->Read(small, transferred, 1000), HidIoStatus::Ok);
  EXPECT_EQ(transferred, 3u);
  EXPECT_THAT(small, ElementsAre(0, 0x01, 0xFF));
}

TEST_F(HidrawConnectionTest, ReadTimesOutWithNothingTransferred) {
  auto mouse = Connect("wheel_mouse", 0, false);
  std::vector<uint8_t> buffer(5);
  size_t transferred = 7;
  EXPECT_EQ(mouse->Read(buffer, transferred, 30), HidIoStatus::TimedOut);
  EXPECT_EQ(transferred, 0u);
}

TEST_F(HidrawConnectionTest, WritesAndSetOutputReportSendTheWindowsBufferUnchanged) {
  auto keyboard = Connect("composite", 0, true);
  size_t transferred = 0;
  ASSERT_EQ(keyboard->Write(std::vector<uint8_t>{1, 0x02}, transferred, 1000), HidIoStatus::Ok);
  EXPECT_EQ(transferred, 2u);
  EXPECT_THAT(Receive(), ElementsAre(1, 0x02));
  // A socket knows no HIDIOCSOUTPUT: the report goes out as a plain write.
  EXPECT_TRUE(keyboard->SetOutputReport(std::vector<uint8_t>{1, 0x04}));
  EXPECT_THAT(Receive(), ElementsAre(1, 0x04));
  EXPECT_EQ(keyboard->Write({}, transferred, 1000), HidIoStatus::Failed);
}

TEST_F(HidrawConnectionTest, WriteToANodeThatTakesNothingTimesOut) {
  auto keyboard = Connect("composite", 0, true);
  const std::vector<uint8_t> report = {1, 0x02};
  size_t transferred = 0;
  // Fill the peer's queue until the node would block.
  for (int i = 0; i < 100000 && keyboard->Write(report, transferred, 0) == HidIoStatus::Ok; ++i) {
  }
  EXPECT_EQ(keyboard->Write(report, transferred, 30), HidIoStatus::TimedOut);
  EXPECT_EQ(transferred, 0u);
}

TEST_F(HidrawConnectionTest, CancelEndsAnInfiniteReadFromAnotherThreadAndEveryLaterTransfer) {
  auto consumer = Connect("composite", 1, true);
  HidIoStatus status = HidIoStatus::Ok;
  std::thread reader([&] {
    std::vector<uint8_t> buffer(2);
    size_t transferred = 0;
    status = consumer->Read(buffer, transferred, kInfinite);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  consumer->Cancel();
  reader.join();
  EXPECT_EQ(status, HidIoStatus::Cancelled);
  Send({2, 1});
  std::vector<uint8_t> buffer(2);
  size_t transferred = 0;
  EXPECT_EQ(consumer->Read(buffer, transferred, kInfinite), HidIoStatus::Cancelled);
  EXPECT_EQ(consumer->Write(std::vector<uint8_t>{2, 0}, transferred, 1000), HidIoStatus::Cancelled);
  EXPECT_FALSE(consumer->SetOutputReport(std::vector<uint8_t>{2, 0}));
}

TEST_F(HidrawConnectionTest, ReadFailsWhenTheNodeGoesAway) {
  auto consumer = Connect("composite", 1, true);
  close(peer_);
  peer_ = -1;
  std::vector<uint8_t> buffer(2);
  size_t transferred = 0;
  EXPECT_EQ(consumer->Read(buffer, transferred, 1000), HidIoStatus::Failed);
}

}  // namespace
}  // namespace velmora::platform
