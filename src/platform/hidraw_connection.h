#pragma once

// One open collection of a hidraw node: reads filtered to the collection's reports, writes,
// HIDIOCSOUTPUT, and a cancel that ends a blocked transfer from any thread.
#include <atomic>

#include "platform/hid_backend.h"

namespace velmora::platform {

class HidrawConnection : public HidConnection {
 public:
  // Takes ownership of fd (opened non-blocking). nodeUsesReportIds: the node's reports start
  // with their id; otherwise hidraw leaves the id byte out and reads get a 0 prepended.
  HidrawConnection(int fd, HidAttributes attributes, HidPreparsedData preparsed, bool nodeUsesReportIds);
  ~HidrawConnection() override;
  HidrawConnection(const HidrawConnection&) = delete;
  HidrawConnection& operator=(const HidrawConnection&) = delete;

  // False when the cancel event could not be made; the connection is unusable then.
  bool Valid() const { return fd_ >= 0 && cancelFd_ >= 0; }

  const HidAttributes& Attributes() const override { return attributes_; }
  const HidPreparsedData& PreparsedData() const override { return preparsed_; }
  HidIoStatus Read(std::span<uint8_t> buffer, size_t& transferred, uint32_t timeoutMs) override;
  HidIoStatus Write(std::span<const uint8_t> report, size_t& transferred, uint32_t timeoutMs) override;
  bool SetOutputReport(std::span<const uint8_t> report) override;
  void Cancel() override;

 private:
  enum class Wait { Ready, TimedOut, Cancelled, Failed };
  Wait WaitFor(short events, int64_t deadlineMs);

  int fd_;
  int cancelFd_;
  std::atomic<bool> cancelled_{false};
  HidAttributes attributes_;
  HidPreparsedData preparsed_;
  bool nodeUsesReportIds_;
};

}  // namespace velmora::platform
