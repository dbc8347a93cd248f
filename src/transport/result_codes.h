#pragma once

namespace velmora::transport {

// Result codes of the command channel. Every command returns one of these.
inline constexpr int kResultOk = 1;
// Channel not open or suspended (nothing sent), or the last read failed or timed out.
inline constexpr int kResultNotDone = 0;
// The write of a packet failed or timed out.
inline constexpr int kResultWriteFailed = -1;
// Through a receiver, the reply carried command byte 0xAA: the device behind it is not reachable.
inline constexpr int kResultReceiverUnreachable = -101;
// The reply's status byte was 0xFF.
inline constexpr int kResultReplyStatusFF = -102;
// The reply's status byte was 0xFE.
inline constexpr int kResultReplyStatusFE = -103;
// WriteKeyMap was called with a bank other than 0; nothing was sent.
inline constexpr int kResultBadKeyMapBank = -201;

}  // namespace velmora::transport
