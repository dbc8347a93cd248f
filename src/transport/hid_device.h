#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "platform/hid_backend.h"
#include "transport/hid_path_list.h"
#include "transport/hid_report_items.h"

namespace velmora::transport {

// One HID interface of the machine: lists the interface paths present, opens one by path,
// keeps its attributes, capabilities and report items, and moves whole reports in and out
// under a time-out. Not locked by itself: callers serialise their transfers. The one
// cross-thread call supported is Close (or Reopen, or destruction) ending a blocked transfer.
class CHidDevice {
 public:
  // Units of the path buffer, terminator included: paths of more bytes are refused.
  static constexpr size_t kPathBufferSize = 260;

  CHidDevice() = default;
  ~CHidDevice();
  CHidDevice(const CHidDevice&) = delete;
  CHidDevice& operator=(const CHidDevice&) = delete;

  // Builds the path list from the interfaces present; 1 on success, 0 when the listing
  // fails (the list is empty then).
  int Enumerate();
  // The next path of the list, or null when it is empty or exhausted; owned by the list.
  const std::string* NextPath();
  void FreePathList();
  const HidPathList& PathList() const { return pathList_; }

  // "Open with no access": true while the interface still exists with the same identity.
  bool Probe(const std::string& path) const;

  // Stores the flags and the path and opens it. 0 when the path does not fit the path
  // buffer or the open fails; the object is closed then.
  int Open(const std::string& path, bool read, bool write, bool overlapped, bool exclusive);
  // Opens the stored path with the stored flags (closing first). 1 or 0.
  int Reopen();
  // Ends any pending transfer, frees capabilities, items and report buffers and forgets the
  // connection. The path and the flags stay.
  void Close();
  bool IsOpen() const;

  // One transfer of a whole report. 1 when it completed, 0 on failure, time-out, cancel or
  // when closed; transferred (optional) receives the byte count, 0 on failure. No request
  // stays outstanding after a time-out. timeoutMs may be platform::kInfinite.
  int ReadReport(std::span<uint8_t> buffer, size_t* transferred, uint32_t timeoutMs);
  int WriteReport(std::span<const uint8_t> report, size_t* transferred, uint32_t timeoutMs);

  // Fills the items of one received report; see transport::UnpackInputReport.
  static int UnpackInputReport(std::span<const uint8_t> report, platform::HidReportType type,
                               std::span<HidReportItem> items,
                               const platform::HidPreparsedData& preparsed);

  // The open connection (null when closed), e.g. to send HidD_SetOutputReport-style reports.
  std::shared_ptr<platform::HidConnection> Connection() const;
  const char* Path() const { return pathBuffer_.data(); }
  const platform::HidOpenFlags& OpenFlags() const { return flags_; }
  const platform::HidAttributes& Attributes() const { return attributes_; }
  const platform::HidpCaps& Caps() const { return caps_; }
  const platform::HidPreparsedData& PreparsedData() const { return preparsed_; }
  std::span<uint8_t> ReportBuffer(platform::HidReportType type);
  std::span<uint8_t> InputReport() { return ReportBuffer(platform::HidReportType::Input); }
  std::span<HidReportItem> ReportItems(platform::HidReportType type);
  std::span<HidReportItem> InputItems() { return ReportItems(platform::HidReportType::Input); }
  std::span<const platform::HidpButtonCaps> ButtonCaps(platform::HidReportType type) const;
  std::span<const platform::HidpValueCaps> ValueCaps(platform::HidReportType type) const;
  uint32_t InterfaceNumber() const { return interfaceNumber_; }
  uint32_t CollectionNumber() const { return collectionNumber_; }
  bool ReadPending() const { return readPending_.load(); }
  bool WritePending() const { return writePending_.load(); }

 private:
  struct ReportTypeData {
    std::vector<uint8_t> buffer;
    std::vector<HidReportItem> items;
    std::vector<platform::HidpButtonCaps> buttonCaps;
    std::vector<platform::HidpValueCaps> valueCaps;
  };

  bool StorePath(const std::string& path);
  void LoadCapabilities(const platform::HidConnection& connection);
  void FreeCapabilities();
  void DropConnection();
  std::shared_ptr<platform::HidConnection> BeginTransfer(std::atomic<bool>& pending);
  void EndTransfer(std::atomic<bool>& pending);
  // One transfer on a copy of the connection, with the pending flag set around it.
  template <typename Io>
  int Transfer(std::atomic<bool>& pending, size_t* transferred, Io io);
  static int TransferResult(platform::HidIoStatus status, size_t count, size_t* transferred);

  HidPathList pathList_;
  platform::HidOpenFlags flags_;
  std::shared_ptr<platform::HidConnection> connection_;  // guarded by transferMutex_
  std::array<char, kPathBufferSize> pathBuffer_{};
  platform::HidPreparsedData preparsed_;
  platform::HidpCaps caps_;
  platform::HidAttributes attributes_;
  ReportTypeData reports_[platform::kHidReportTypeCount];
  uint32_t interfaceNumber_ = 0;
  uint32_t collectionNumber_ = 0;
  std::atomic<bool> readPending_{false};
  std::atomic<bool> writePending_{false};
  // Guards the connection pointer and the pending flags' transitions, so a closing thread
  // sees every transfer that started and waits until it has let go of its buffer.
  mutable std::mutex transferMutex_;
  std::condition_variable transferEnded_;
};

}  // namespace velmora::transport
