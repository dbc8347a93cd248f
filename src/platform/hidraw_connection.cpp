#include "platform/hidraw_connection.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include "platform/event.h"

#ifndef HIDIOCSOUTPUT
#define HIDIOCSOUTPUT(len) _IOC(_IOC_WRITE | _IOC_READ, 'H', 0x0B, len)
#endif

namespace velmora::platform {

namespace {

// hidraw hands out at most HID_MAX_BUFFER_SIZE bytes per report.
constexpr size_t kMaxRawReport = 16384;
constexpr int64_t kNoDeadline = -1;

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t DeadlineFor(uint32_t timeoutMs) {
  return timeoutMs == kInfinite ? kNoDeadline : NowMs() + timeoutMs;
}

}  // namespace

HidrawConnection::HidrawConnection(int fd, HidAttributes attributes, HidPreparsedData preparsed,
                                   bool nodeUsesReportIds)
    : fd_(fd),
      cancelFd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
      attributes_(attributes),
      preparsed_(std::move(preparsed)),
      nodeUsesReportIds_(nodeUsesReportIds) {}

HidrawConnection::~HidrawConnection() {
  if (fd_ >= 0) close(fd_);
  if (cancelFd_ >= 0) close(cancelFd_);
}

void HidrawConnection::Cancel() {
  cancelled_.store(true);
  const uint64_t one = 1;
  // The eventfd counter cannot overflow from a few writes, so the result needs no check.
  [[maybe_unused]] const ssize_t n = cancelFd_ >= 0 ? write(cancelFd_, &one, sizeof one) : 0;
}

HidrawConnection::Wait HidrawConnection::WaitFor(short events, int64_t deadlineMs) {
  for (;;) {
    if (cancelled_.load()) return Wait::Cancelled;
    int timeout = -1;
    if (deadlineMs != kNoDeadline) timeout = static_cast<int>(std::max<int64_t>(0, deadlineMs - NowMs()));
    pollfd fds[2] = {{fd_, events, 0}, {cancelFd_, POLLIN, 0}};
    const int ready = poll(fds, 2, timeout);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return Wait::Failed;
    }
    if (fds[1].revents != 0 || cancelled_.load()) return Wait::Cancelled;
    if (ready == 0) return Wait::TimedOut;
    if ((fds[0].revents & events) != 0) return Wait::Ready;
    if ((fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return Wait::Failed;
  }
}

HidIoStatus HidrawConnection::Read(std::span<uint8_t> buffer, size_t& transferred, uint32_t timeoutMs) {
  transferred = 0;
  const int64_t deadline = DeadlineFor(timeoutMs);
  std::vector<uint8_t> report(kMaxRawReport + 1);
  for (;;) {
    switch (WaitFor(POLLIN, deadline)) {
      case Wait::Ready: break;
      case Wait::TimedOut: return HidIoStatus::TimedOut;
      case Wait::Cancelled: return HidIoStatus::Cancelled;
      case Wait::Failed: return HidIoStatus::Failed;
    }
    // An unnumbered report arrives without its id byte: leave room for the 0 Windows shows.
    const size_t skip = nodeUsesReportIds_ ? 0 : 1;
    const ssize_t n = read(fd_, report.data() + skip, kMaxRawReport);
    if (n < 0) {
      if (errno == EAGAIN || errno == EINTR) continue;
      return HidIoStatus::Failed;
    }
    if (n == 0) return HidIoStatus::Failed;  // the node went away
    report[0] = nodeUsesReportIds_ ? report[0] : 0;
    const size_t length = static_cast<size_t>(n) + skip;
    if (!preparsed_.HasReportId(report[0])) continue;  // another collection's report
    transferred = std::min(length, buffer.size());
    std::copy_n(report.begin(), transferred, buffer.begin());
    return HidIoStatus::Ok;
  }
}

// hidraw takes the report id as the first byte, 0 for unnumbered reports: exactly the
// Windows buffer, so it is written unchanged.
HidIoStatus HidrawConnection::Write(std::span<const uint8_t> report, size_t& transferred, uint32_t timeoutMs) {
  transferred = 0;
  if (report.empty()) return HidIoStatus::Failed;
  const int64_t deadline = DeadlineFor(timeoutMs);
  for (;;) {
    if (cancelled_.load()) return HidIoStatus::Cancelled;
    const ssize_t n = write(fd_, report.data(), report.size());
    if (n >= 0) {
      transferred = static_cast<size_t>(n);
      return HidIoStatus::Ok;
    }
    if (errno != EAGAIN && errno != EINTR) return HidIoStatus::Failed;
    switch (WaitFor(POLLOUT, deadline)) {
      case Wait::Ready: break;
      case Wait::TimedOut: return HidIoStatus::TimedOut;
      case Wait::Cancelled: return HidIoStatus::Cancelled;
      case Wait::Failed: return HidIoStatus::Failed;
    }
  }
}

bool HidrawConnection::SetOutputReport(std::span<const uint8_t> report) {
  if (report.empty() || report.size() > kMaxRawReport || cancelled_.load()) return false;
  std::vector<uint8_t> copy(report.begin(), report.end());  // the ioctl may write back into it
  if (ioctl(fd_, HIDIOCSOUTPUT(copy.size()), copy.data()) >= 0) return true;
  if (errno != ENOTTY && errno != EINVAL && errno != ENOSYS) return false;
  // Kernels before HIDIOCSOUTPUT: an interrupt-pipe write is the nearest the device gets.
  return write(fd_, report.data(), report.size()) == static_cast<ssize_t>(report.size());
}

}  // namespace velmora::platform
