#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/hid_backend.h"
#include "scripted_hid.h"
#include "transport/device_channel.h"

namespace velmora::transport::testing {

inline constexpr const char* kWiredPath = "virtual:0#vid_320f&pid_505b&mi_01&col04";
inline constexpr const char* kReceiverPath = "virtual:1#vid_320f&pid_5088&mi_01&col04";

// A command channel on scripted wired and receiver connections, installed as the process's
// HID backend for the rig's lifetime. By default both connections answer like a device:
// an echo of each request, data from an all-zero memory.
struct ChannelRig {
  explicit ChannelRig(int kind = kConnectionCable) {
    wired->SetResponder(EchoFromMemory(Bytes(1024, 0)));
    receiver->SetResponder(EchoFromMemory(Bytes(1024, 0)));
    backend->Add(kWiredPath, wired);
    backend->Add(kReceiverPath, receiver);
    opened = channel.OpenInterface(kind, kind == kConnectionReceiver ? kReceiverPath : kWiredPath);
    active = kind == kConnectionReceiver ? receiver : wired;
  }

  std::shared_ptr<ScriptedConnection> wired = std::make_shared<ScriptedConnection>();
  std::shared_ptr<ScriptedConnection> receiver = std::make_shared<ScriptedConnection>();
  std::shared_ptr<ScriptedBackend> backend = std::make_shared<ScriptedBackend>();
  platform::ScopedHidBackend scope{backend};
  CDeviceChannel channel;
  std::shared_ptr<ScriptedConnection> active;
  int opened = 0;
};

// Command byte, chunk length and offset of a written packet.
struct ChunkHeader {
  uint8_t command = 0;
  uint8_t length = 0;
  uint16_t offset = 0;
  bool operator==(const ChunkHeader&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const ChunkHeader& h) {
  return os << "{cmd 0x" << std::hex << int(h.command) << std::dec << ", len " << int(h.length)
            << ", off " << h.offset << "}";
}

inline std::vector<ChunkHeader> Headers(const std::vector<Bytes>& packets) {
  std::vector<ChunkHeader> headers;
  for (const Bytes& p : packets) {
    headers.push_back({p.at(3), p.at(4), static_cast<uint16_t>(p.at(5) | (p.at(6) << 8))});
  }
  return headers;
}

}  // namespace velmora::transport::testing
