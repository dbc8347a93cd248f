#include "scripted_hid.h"

#include <algorithm>

namespace velmora::transport::testing {

using platform::HidIoStatus;

ScriptedConnection::ScriptedConnection(platform::HidPreparsedData preparsed,
                                       platform::HidAttributes attributes)
    : preparsed_(std::move(preparsed)), attributes_(attributes) {}

void ScriptedConnection::QueueReply(Bytes reply) {
  std::lock_guard lock(mutex_);
  replies_.push_back(std::move(reply));
  changed_.notify_all();
}

void ScriptedConnection::SetResponder(Responder responder) {
  std::lock_guard lock(mutex_);
  responder_ = std::move(responder);
}

void ScriptedConnection::SetWriteStatus(HidIoStatus status) {
  std::lock_guard lock(mutex_);
  writeStatus_ = status;
}

void ScriptedConnection::SetWhenEmpty(WhenEmpty mode) {
  std::lock_guard lock(mutex_);
  whenEmpty_ = mode;
}

void ScriptedConnection::SetWriteHook(std::function<void()> hook) {
  std::lock_guard lock(mutex_);
  writeHook_ = std::move(hook);
}

std::vector<Bytes> ScriptedConnection::Written() const {
  std::lock_guard lock(mutex_);
  return written_;
}

bool ScriptedConnection::Cancelled() const {
  std::lock_guard lock(mutex_);
  return cancelled_;
}

int ScriptedConnection::ReadsInProgress() const {
  std::lock_guard lock(mutex_);
  return readsInProgress_;
}

void ScriptedConnection::WaitForBlockedRead() const {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return readsInProgress_ > 0; });
}

HidIoStatus ScriptedConnection::Read(std::span<uint8_t> buffer, size_t& transferred, uint32_t) {
  transferred = 0;
  std::unique_lock lock(mutex_);
  ++readsInProgress_;
  changed_.notify_all();
  if (whenEmpty_ == WhenEmpty::Block) {
    changed_.wait(lock, [this] { return cancelled_ || !replies_.empty(); });
  }
  --readsInProgress_;
  if (cancelled_) return HidIoStatus::Cancelled;
  if (replies_.empty()) return HidIoStatus::TimedOut;
  const Bytes reply = std::move(replies_.front());
  replies_.pop_front();
  transferred = std::min(reply.size(), buffer.size());
  std::copy_n(reply.begin(), transferred, buffer.begin());
  return HidIoStatus::Ok;
}

HidIoStatus ScriptedConnection::Write(std::span<const uint8_t> report, size_t& transferred,
                                      uint32_t) {
  transferred = 0;
  std::function<void()> hook;
  {
    std::lock_guard lock(mutex_);
    if (cancelled_) return HidIoStatus::Cancelled;
    hook = writeHook_;
  }
  if (hook) hook();
  std::lock_guard lock(mutex_);
  written_.emplace_back(report.begin(), report.end());
  if (writeStatus_ != HidIoStatus::Ok) return writeStatus_;
  if (responder_) {
    for (Bytes& reply : responder_(report)) replies_.push_back(std::move(reply));
    changed_.notify_all();
  }
  transferred = report.size();
  return HidIoStatus::Ok;
}

bool ScriptedConnection::SetOutputReport(std::span<const uint8_t> report) {
  std::lock_guard lock(mutex_);
  written_.emplace_back(report.begin(), report.end());
  return writeStatus_ == HidIoStatus::Ok;
}

void ScriptedConnection::Cancel() {
  std::lock_guard lock(mutex_);
  cancelled_ = true;
  changed_.notify_all();
}

void ScriptedBackend::Add(const std::string& path, std::shared_ptr<ScriptedConnection> connection) {
  connections_[path] = std::move(connection);
  listing_.push_back(path);
}

void ScriptedBackend::SetListing(std::vector<std::string> paths) { listing_ = std::move(paths); }

bool ScriptedBackend::EnumeratePaths(std::vector<std::string>& paths) {
  if (listingFails_) return false;
  paths = listing_;
  return true;
}

std::shared_ptr<platform::HidConnection> ScriptedBackend::Open(const std::string& path,
                                                               const platform::HidOpenFlags&) {
  opened_.push_back(path);
  auto it = connections_.find(path);
  if (it == connections_.end()) return nullptr;
  return it->second;
}

bool ScriptedBackend::Exists(const std::string& path) { return connections_.count(path) > 0; }

}  // namespace velmora::transport::testing

namespace velmora::transport::testing {

Bytes MakeReply(uint8_t command, uint8_t status, std::span<const uint8_t> data) {
  Bytes reply(64, 0);
  reply[0] = 4;
  reply[3] = command;
  reply[7] = status;
  std::copy_n(data.begin(), std::min<size_t>(data.size(), 56), reply.begin() + 8);
  return reply;
}

ScriptedConnection::Responder EchoFromMemory(Bytes memory) {
  return [memory = std::move(memory)](std::span<const uint8_t> request) {
    const size_t length = request[4];
    const size_t offset = request[5] | (request[6] << 8);
    Bytes data;
    for (size_t i = 0; i < length && offset + i < memory.size(); ++i) {
      data.push_back(memory[offset + i]);
    }
    return std::vector<Bytes>{MakeReply(request[3], 0, data)};
  };
}

}  // namespace velmora::transport::testing
