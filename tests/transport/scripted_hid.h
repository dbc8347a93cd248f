#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "platform/hid_backend.h"

namespace velmora::transport::testing {

using Bytes = std::vector<uint8_t>;

// A HID connection driven by a script: it records every written report, answers reads from a
// queue of replies (filled by the test or by a responder run on each write), and can be made
// to refuse writes or to block reads until cancelled.
class ScriptedConnection : public platform::HidConnection {
 public:
  // What a read does when no reply is queued.
  enum class WhenEmpty { TimeOut, Block };
  // Builds the replies a written report provokes.
  using Responder = std::function<std::vector<Bytes>(std::span<const uint8_t> written)>;

  explicit ScriptedConnection(platform::HidPreparsedData preparsed = {},
                              platform::HidAttributes attributes = {});

  void QueueReply(Bytes reply);
  void SetResponder(Responder responder);
  void SetWriteStatus(platform::HidIoStatus status);
  void SetWhenEmpty(WhenEmpty mode);
  // Runs while a write is inside the connection (e.g. to hold it there).
  void SetWriteHook(std::function<void()> hook);

  std::vector<Bytes> Written() const;
  bool Cancelled() const;
  int ReadsInProgress() const;
  // Waits until a read is blocked inside the connection.
  void WaitForBlockedRead() const;

  const platform::HidAttributes& Attributes() const override { return attributes_; }
  const platform::HidPreparsedData& PreparsedData() const override { return preparsed_; }
  platform::HidIoStatus Read(std::span<uint8_t> buffer, size_t& transferred,
                             uint32_t timeoutMs) override;
  platform::HidIoStatus Write(std::span<const uint8_t> report, size_t& transferred,
                              uint32_t timeoutMs) override;
  bool SetOutputReport(std::span<const uint8_t> report) override;
  void Cancel() override;

 private:
  platform::HidPreparsedData preparsed_;
  platform::HidAttributes attributes_;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::deque<Bytes> replies_;
  std::vector<Bytes> written_;
  Responder responder_;
  std::function<void()> writeHook_;
  platform::HidIoStatus writeStatus_ = platform::HidIoStatus::Ok;
  WhenEmpty whenEmpty_ = WhenEmpty::TimeOut;
  bool cancelled_ = false;
  int readsInProgress_ = 0;
};

// A backend holding scripted connections by path.
class ScriptedBackend : public platform::HidBackend {
 public:
  void Add(const std::string& path, std::shared_ptr<ScriptedConnection> connection);
  // The listing EnumeratePaths returns (defaults to the added paths in order).
  void SetListing(std::vector<std::string> paths);
  void SetListingFails(bool fails) { listingFails_ = fails; }
  std::vector<std::string> OpenedPaths() const { return opened_; }

  bool EnumeratePaths(std::vector<std::string>& paths) override;
  std::shared_ptr<platform::HidConnection> Open(const std::string& path,
                                                const platform::HidOpenFlags& flags) override;
  bool Exists(const std::string& path) override;

 private:
  std::map<std::string, std::shared_ptr<ScriptedConnection>> connections_;
  std::vector<std::string> listing_;
  std::vector<std::string> opened_;
  bool listingFails_ = false;
};

}  // namespace velmora::transport::testing

namespace velmora::transport::testing {

// A 64-byte reply: report id 4, the given command byte and status, data from byte 8.
Bytes MakeReply(uint8_t command, uint8_t status = 0, std::span<const uint8_t> data = {});

// Answers every request with its echo (status 0) carrying, from byte 8, the bytes of memory
// at the request's offset (bytes 5-6) for the request's length (byte 4).
ScriptedConnection::Responder EchoFromMemory(Bytes memory);

}  // namespace velmora::transport::testing
