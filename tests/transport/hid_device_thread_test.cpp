// Ending a blocked transfer from another thread.
#include <gtest/gtest.h>

#include <thread>

#include "channel_rig.h"
#include "platform/event.h"
#include "scripted_hid.h"
#include "transport/hid_device.h"

namespace velmora::transport::testing {
namespace {

constexpr const char* kPath = "virtual:0#vid_320f&pid_505b&mi_02";

struct BlockedReadCase {
  const char* name;
  void (*end)(CHidDevice&);
};

TEST(HidDeviceCrossThread, CloseOrReopenEndsAnInfiniteRead) {
  const BlockedReadCase cases[] = {
      {"Close", [](CHidDevice& d) { d.Close(); }},
      {"Reopen", [](CHidDevice& d) { d.Reopen(); }},
  };
  for (const BlockedReadCase& tc : cases) {
    SCOPED_TRACE(tc.name);
    auto connection = std::make_shared<ScriptedConnection>();
    connection->SetWhenEmpty(ScriptedConnection::WhenEmpty::Block);
    auto backend = std::make_shared<ScriptedBackend>();
    backend->Add(kPath, connection);
    platform::ScopedHidBackend scope(backend);
    CHidDevice device;
    ASSERT_EQ(device.Open(kPath, true, true, true, false), 1);

    int result = -1;
    size_t transferred = 99;
    std::thread reader([&] {
      std::vector<uint8_t> buffer(64);
      result = device.ReadReport(buffer, &transferred, platform::kInfinite);
    });
    connection->WaitForBlockedRead();
    EXPECT_TRUE(device.ReadPending());
    tc.end(device);
    // The closing call returns only once the blocked read has let go.
    EXPECT_FALSE(device.ReadPending());
    EXPECT_EQ(connection->ReadsInProgress(), 0);
    reader.join();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(transferred, 0u);
  }
}

TEST(HidDeviceCrossThread, ClosingTheChannelInterfaceEndsABlockedExchange) {
  ChannelRig rig;
  rig.wired->SetResponder(nullptr);
  rig.wired->SetWhenEmpty(ScriptedConnection::WhenEmpty::Block);
  int result = -1;
  std::thread config([&] { result = rig.channel.BeginConfig(); });
  rig.wired->WaitForBlockedRead();
  rig.channel.CloseInterface();
  config.join();
  EXPECT_EQ(result, kResultNotDone);
  EXPECT_FALSE(rig.channel.IsOpen());
  EXPECT_FALSE(rig.channel.IsBusy());
}

}  // namespace
}  // namespace velmora::transport::testing
