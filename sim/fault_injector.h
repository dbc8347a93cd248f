#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace velmora::sim {

enum class FaultKind {
  ErrorStatus,        // answer with `status` (0xFF or 0xFE) without carrying the command out
  StrayReply,         // `strayReplies` replies echoing `strayCommand` come before the real one
  NoReply,            // take the write, never answer
  UnplugBeforeReply,  // take the write, then the product is unplugged before it answers
  StallWrite,         // the write never completes (it times out or is cancelled)
  FailWrite,          // the write fails at once
  UnlinkBeforeReply,  // a receiver loses its device before answering: this reply and the
                      // following ones carry 0xAA until it is linked again
};

// One planned fault. Built with the named constructors and refined with the setters:
//   Fault::ErrorStatus(0xFE).OnCommand(0x09).After(3)
struct Fault {
  FaultKind kind = FaultKind::ErrorStatus;
  std::optional<uint8_t> command;  // only requests with this command code; any when empty
  int count = 1;                   // how many matching requests it hits
  int skip = 0;                    // matching requests let through before the first hit
  uint8_t status = 0xFF;           // ErrorStatus
  uint8_t strayCommand = 0x12;     // StrayReply: command byte of the stray replies
  int strayReplies = 1;            // StrayReply

  static Fault ErrorStatus(uint8_t status) { return Of(FaultKind::ErrorStatus).WithStatus(status); }
  static Fault StrayReply(uint8_t strayCommand = 0x12, int replies = 1) {
    Fault f = Of(FaultKind::StrayReply);
    f.strayCommand = strayCommand;
    f.strayReplies = replies;
    return f;
  }
  static Fault NoReply() { return Of(FaultKind::NoReply); }
  static Fault UnplugBeforeReply() { return Of(FaultKind::UnplugBeforeReply); }
  static Fault StallWrite() { return Of(FaultKind::StallWrite); }
  static Fault FailWrite() { return Of(FaultKind::FailWrite); }
  static Fault UnlinkBeforeReply() { return Of(FaultKind::UnlinkBeforeReply); }

  Fault& OnCommand(uint8_t code) { command = code; return *this; }
  Fault& Times(int n) { count = n; return *this; }
  Fault& After(int n) { skip = n; return *this; }

 private:
  static Fault Of(FaultKind kind) {
    Fault f;
    f.kind = kind;
    return f;
  }
  Fault& WithStatus(uint8_t s) { status = s; return *this; }
};

// Faults planned for one command interface, applied in the order they were injected: each
// request hits the first pending fault that matches it. Thread-safe.
class FaultInjector {
 public:
  void Inject(const Fault& fault);
  // The fault this request hits, if any; counts the hit.
  std::optional<Fault> Take(uint8_t command);
  // True while some injected fault has hits left.
  bool Pending() const;
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::vector<Fault> faults_;
};

}  // namespace velmora::sim
