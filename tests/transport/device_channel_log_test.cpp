// The exchange log: titles and the two 32-byte lines of each packet.
#include <gtest/gtest.h>

#include "channel_rig.h"
#include "platform/debug_output.h"
#include "transport/packet_log.h"

namespace velmora::transport::testing {
namespace {

constexpr const char* kZeroLine =
    "00 00 00 00   00 00 00 00   00 00 00 00   00 00 00 00  "
    "00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00";

TEST(PacketLog, LineFormatGroupsBytesByFour) {
  std::array<uint8_t, 32> bytes{};
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 8 + 1);
  EXPECT_EQ(FormatPacketLine(bytes),
            "01 09 11 19   21 29 31 39   41 49 51 59   61 69 71 79  "
            "81 89 91 99  a1 a9 b1 b9  c1 c9 d1 d9  e1 e9 f1 f9");
}

TEST(PacketLog, LoggedExchangeWritesCommandAndReply) {
  ChannelRig rig;
  platform::DebugCapture capture;
  ASSERT_EQ(rig.channel.BeginConfig(), kResultOk);
  const std::vector<std::string> expected = {
      "命令",
      "04 01 00 01   00 00 00 00   00 00 00 00   00 00 00 00  "
      "00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00",
      kZeroLine,
      "返回",
      "04 00 00 01   00 00 00 00   00 00 00 00   00 00 00 00  "
      "00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00",
      kZeroLine,
  };
  EXPECT_EQ(capture.Lines(), expected);
}

TEST(PacketLog, ReplyIsLoggedToTheCallersLengthZeroPadded) {
  ChannelRig rig;
  rig.wired->SetResponder([](std::span<const uint8_t>) {
    Bytes full(64, 0xCC);
    full[3] = 0x1C;
    return std::vector<Bytes>{full};
  });
  platform::DebugCapture capture;
  const Bytes request = {4, 0, 0, 0x1C};
  Bytes reply(6);
  ASSERT_EQ(rig.channel.Exchange(request, reply, nullptr), kResultOk);
  const auto lines = capture.Lines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[4],
            "cc cc cc 1c   cc cc 00 00   00 00 00 00   00 00 00 00  "
            "00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00");
  EXPECT_EQ(lines[5], kZeroLine);
}

TEST(PacketLog, WhatIsLoggedPerOutcome) {
  struct Case {
    const char* name;
    int kind;
    std::vector<Bytes> replies;
    bool writeFails;
    std::vector<std::string> titles;
  };
  const Case cases[] = {
      {"write fails: command only", kConnectionCable, {}, true, {"命令"}},
      {"no reply: command and empty reply", kConnectionCable, {}, false, {"命令", "返回"}},
      {"unreachable: command and reply", kConnectionReceiver, {MakeReply(0xAA)}, false,
       {"命令", "返回"}},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.name);
    ChannelRig rig(tc.kind);
    rig.active->SetResponder(nullptr);
    for (const Bytes& reply : tc.replies) rig.active->QueueReply(reply);
    if (tc.writeFails) rig.active->SetWriteStatus(platform::HidIoStatus::Failed);
    platform::DebugCapture capture;
    rig.channel.BeginConfig();
    std::vector<std::string> titles;
    for (const std::string& line : capture.Lines()) {
      if (line == "命令" || line == "返回") titles.push_back(line);
    }
    EXPECT_EQ(titles, tc.titles);
    EXPECT_EQ(capture.Lines().size(), tc.titles.size() * 3);
  }
}

}  // namespace
}  // namespace velmora::transport::testing
