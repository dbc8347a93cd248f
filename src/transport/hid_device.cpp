#include "transport/hid_device.h"

#include <algorithm>
#include <cstring>

#include "transport/hid_path_parse.h"

namespace velmora::transport {

using platform::HidConnection;
using platform::HidIoStatus;
using platform::HidReportType;

CHidDevice::~CHidDevice() {
  Close();
  FreePathList();
}

int CHidDevice::Enumerate() {
  pathList_.Free();
  std::vector<std::string> paths;
  if (!platform::ActiveHidBackend().EnumeratePaths(paths)) return 0;
  pathList_.Build(paths);
  return 1;
}

const std::string* CHidDevice::NextPath() { return pathList_.Next(); }

void CHidDevice::FreePathList() { pathList_.Free(); }

bool CHidDevice::Probe(const std::string& path) const {
  return platform::ActiveHidBackend().Exists(path);
}

bool CHidDevice::StorePath(const std::string& path) {
  if (path.size() + 1 > pathBuffer_.size()) {
    pathBuffer_.fill('\0');
    return false;
  }
  std::memcpy(pathBuffer_.data(), path.c_str(), path.size() + 1);
  return true;
}

int CHidDevice::Open(const std::string& path, bool read, bool write, bool overlapped,
                     bool exclusive) {
  flags_ = platform::HidOpenFlags{read, write, overlapped, exclusive};
  if (!StorePath(path)) {
    Close();
    return 0;
  }
  return Reopen();
}

int CHidDevice::Reopen() {
  Close();
  const std::string path(pathBuffer_.data());
  if (path.empty()) return 0;
  std::shared_ptr<HidConnection> connection = platform::ActiveHidBackend().Open(path, flags_);
  if (!connection) return 0;
  LoadCapabilities(*connection);
  interfaceNumber_ = ParseInterfaceNumber(path);
  collectionNumber_ = ParseCollectionNumber(path);
  std::lock_guard lock(transferMutex_);
  connection_ = std::move(connection);
  return 1;
}

void CHidDevice::LoadCapabilities(const HidConnection& connection) {
  preparsed_ = connection.PreparsedData();
  attributes_ = connection.Attributes();
  caps_ = preparsed_.Caps();
  const uint16_t lengths[platform::kHidReportTypeCount] = {
      caps_.inputReportByteLength, caps_.outputReportByteLength, caps_.featureReportByteLength};
  for (int t = 0; t < platform::kHidReportTypeCount; ++t) {
    const auto type = static_cast<HidReportType>(t);
    ReportTypeData& data = reports_[t];
    data.buffer.assign(lengths[t], 0);
    const auto buttons = preparsed_.ButtonCaps(type);
    const auto values = preparsed_.ValueCaps(type);
    data.buttonCaps.assign(buttons.begin(), buttons.end());
    data.valueCaps.assign(values.begin(), values.end());
    data.items = BuildReportItems(type, preparsed_);
  }
}

void CHidDevice::FreeCapabilities() {
  for (ReportTypeData& data : reports_) data = ReportTypeData{};
  preparsed_ = platform::HidPreparsedData{};
  caps_ = platform::HidpCaps{};
  attributes_ = platform::HidAttributes{};
  interfaceNumber_ = 0;
  collectionNumber_ = 0;
}

void CHidDevice::Close() {
  DropConnection();
  FreeCapabilities();
}

void CHidDevice::DropConnection() {
  std::shared_ptr<HidConnection> dropped;
  {
    std::unique_lock lock(transferMutex_);
    dropped = std::move(connection_);
    connection_.reset();
    if (!dropped) return;
    // The connection is finished after Cancel; a transfer blocked on it returns at once.
    // Wait for it so its buffer is no longer written once Close returns.
    dropped->Cancel();
    transferEnded_.wait(lock, [this] { return !readPending_ && !writePending_; });
  }
}

bool CHidDevice::IsOpen() const {
  std::lock_guard lock(transferMutex_);
  return connection_ != nullptr;
}

std::shared_ptr<HidConnection> CHidDevice::Connection() const {
  std::lock_guard lock(transferMutex_);
  return connection_;
}

std::shared_ptr<HidConnection> CHidDevice::BeginTransfer(std::atomic<bool>& pending) {
  std::lock_guard lock(transferMutex_);
  if (connection_) pending = true;
  return connection_;
}

void CHidDevice::EndTransfer(std::atomic<bool>& pending) {
  std::lock_guard lock(transferMutex_);
  pending = false;
  transferEnded_.notify_all();
}

int CHidDevice::TransferResult(HidIoStatus status, size_t count, size_t* transferred) {
  const bool completed = status == HidIoStatus::Ok;
  if (transferred) *transferred = completed ? count : 0;
  return completed ? 1 : 0;
}

template <typename Io>
int CHidDevice::Transfer(std::atomic<bool>& pending, size_t* transferred, Io io) {
  if (transferred) *transferred = 0;
  std::shared_ptr<HidConnection> connection = BeginTransfer(pending);
  if (!connection) return 0;
  size_t count = 0;
  const HidIoStatus status = io(*connection, count);
  EndTransfer(pending);
  return TransferResult(status, count, transferred);
}

int CHidDevice::ReadReport(std::span<uint8_t> buffer, size_t* transferred, uint32_t timeoutMs) {
  return Transfer(readPending_, transferred, [&](HidConnection& connection, size_t& count) {
    return connection.Read(buffer, count, timeoutMs);
  });
}

int CHidDevice::WriteReport(std::span<const uint8_t> report, size_t* transferred,
                            uint32_t timeoutMs) {
  return Transfer(writePending_, transferred, [&](HidConnection& connection, size_t& count) {
    return connection.Write(report, count, timeoutMs);
  });
}

int CHidDevice::UnpackInputReport(std::span<const uint8_t> report, HidReportType type,
                                  std::span<HidReportItem> items,
                                  const platform::HidPreparsedData& preparsed) {
  return transport::UnpackInputReport(report, type, items, preparsed);
}

std::span<uint8_t> CHidDevice::ReportBuffer(HidReportType type) {
  return reports_[static_cast<int>(type)].buffer;
}

std::span<HidReportItem> CHidDevice::ReportItems(HidReportType type) {
  return reports_[static_cast<int>(type)].items;
}

std::span<const platform::HidpButtonCaps> CHidDevice::ButtonCaps(HidReportType type) const {
  return reports_[static_cast<int>(type)].buttonCaps;
}

std::span<const platform::HidpValueCaps> CHidDevice::ValueCaps(HidReportType type) const {
  return reports_[static_cast<int>(type)].valueCaps;
}

}  // namespace velmora::transport
