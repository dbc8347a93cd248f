// The in-process bus of simulated HID devices. Each open connection has its own input
// queue; the bus lock is never held while a device's firmware runs, so firmware may deliver
// input from inside its output-report handler.
#include "platform/virtual_hid.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <optional>

#include "platform/event.h"
#include "platform/hid_interfaces.h"

namespace velmora::platform {

namespace {

class VirtualConnection : public HidConnection {
 public:
  VirtualConnection(std::shared_ptr<VirtualHidDevice> device, HidAttributes attributes, HidPreparsedData preparsed)
      : device_(std::move(device)), attributes_(attributes), preparsed_(std::move(preparsed)) {}

  const HidAttributes& Attributes() const override { return attributes_; }
  const HidPreparsedData& PreparsedData() const override { return preparsed_; }

  HidIoStatus Read(std::span<uint8_t> buffer, size_t& transferred, uint32_t timeoutMs) override {
    transferred = 0;
    std::unique_lock lock(mutex_);
    if (!WaitUntil(lock, timeoutMs, [&] { return cancelled_ || unplugged_ || !queue_.empty(); })) {
      return HidIoStatus::TimedOut;
    }
    if (cancelled_) return HidIoStatus::Cancelled;
    if (unplugged_) return HidIoStatus::Failed;
    const std::vector<uint8_t> report = std::move(queue_.front());
    queue_.pop_front();
    transferred = std::min(report.size(), buffer.size());
    std::copy_n(report.begin(), transferred, buffer.begin());
    return HidIoStatus::Ok;
  }

  HidIoStatus Write(std::span<const uint8_t> report, size_t& transferred, uint32_t timeoutMs) override {
    transferred = 0;
    if (const HidIoStatus refused = Refusal(); refused != HidIoStatus::Ok) return refused;
    const VirtualWriteResult result = device_->OnOutputReport(report);
    if (result == VirtualWriteResult::Failed) return HidIoStatus::Failed;
    if (result == VirtualWriteResult::Stalled) return WaitOutStall(timeoutMs);
    transferred = report.size();
    return HidIoStatus::Ok;
  }

  bool SetOutputReport(std::span<const uint8_t> report) override {
    if (Refusal() != HidIoStatus::Ok) return false;
    return device_->OnSetOutputReport(report) == VirtualWriteResult::Accepted;
  }

  void Cancel() override {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    wake_.notify_all();
  }

  void Deliver(std::span<const uint8_t> report) {
    std::lock_guard lock(mutex_);
    queue_.emplace_back(report.begin(), report.end());
    wake_.notify_all();
  }

  void MarkUnplugged() {
    std::lock_guard lock(mutex_);
    unplugged_ = true;
    wake_.notify_all();
  }

 private:
  // Waits for pred with the time-out; false when it timed out.
  template <typename Pred>
  bool WaitUntil(std::unique_lock<std::mutex>& lock, uint32_t timeoutMs, Pred pred) {
    if (timeoutMs == kInfinite) {
      wake_.wait(lock, pred);
      return true;
    }
    return wake_.wait_for(lock, std::chrono::milliseconds(timeoutMs), pred);
  }

  HidIoStatus Refusal() {
    std::lock_guard lock(mutex_);
    if (cancelled_) return HidIoStatus::Cancelled;
    if (unplugged_) return HidIoStatus::Failed;
    return HidIoStatus::Ok;
  }

  // A stalled write never completes: it ends by time-out, cancel or unplug.
  HidIoStatus WaitOutStall(uint32_t timeoutMs) {
    std::unique_lock lock(mutex_);
    if (!WaitUntil(lock, timeoutMs, [&] { return cancelled_ || unplugged_; })) return HidIoStatus::TimedOut;
    return cancelled_ ? HidIoStatus::Cancelled : HidIoStatus::Failed;
  }

  const std::shared_ptr<VirtualHidDevice> device_;
  const HidAttributes attributes_;
  const HidPreparsedData preparsed_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::vector<uint8_t>> queue_;
  bool cancelled_ = false;
  bool unplugged_ = false;
};

struct OpenConnection {
  size_t interfaceIndex;
  std::weak_ptr<VirtualConnection> connection;
};

struct PluggedDevice {
  std::shared_ptr<VirtualHidDevice> device;
  HidAttributes attributes;
  std::vector<HidInterfaceInfo> interfaces;
  std::vector<OpenConnection> connections;

  void ForgetClosed() {
    std::erase_if(connections, [](const OpenConnection& c) { return c.connection.expired(); });
  }
  std::vector<std::shared_ptr<VirtualConnection>> Live(std::optional<size_t> interfaceIndex) const {
    std::vector<std::shared_ptr<VirtualConnection>> live;
    for (const OpenConnection& c : connections) {
      if (interfaceIndex && c.interfaceIndex != *interfaceIndex) continue;
      if (auto connection = c.connection.lock()) live.push_back(std::move(connection));
    }
    return live;
  }
};

}  // namespace

struct VirtualHidBus::State {
  std::mutex mutex;
  int nextNode = 0;
  std::map<int, PluggedDevice> devices;

  // The device and interface index a path names; false when no plugged device has it.
  bool Find(const std::string& path, PluggedDevice*& device, size_t& index) {
    for (auto& [node, plugged] : devices) {
      for (size_t i = 0; i < plugged.interfaces.size(); ++i) {
        if (plugged.interfaces[i].path != path) continue;
        device = &plugged;
        index = i;
        return true;
      }
    }
    return false;
  }
};

VirtualHidBus::VirtualHidBus() : state_(std::make_shared<State>()) {}

VirtualHidBus::~VirtualHidBus() {
  std::vector<int> nodes;
  {
    std::lock_guard lock(state_->mutex);
    for (const auto& entry : state_->devices) nodes.push_back(entry.first);
  }
  for (int node : nodes) Unplug(node);
}

int VirtualHidBus::Plug(std::shared_ptr<VirtualHidDevice> device) {
  PluggedDevice plugged;
  plugged.attributes = device->Attributes();
  const uint8_t interfaceNumber = device->InterfaceNumber();
  const std::vector<uint8_t> descriptor = device->ReportDescriptor();
  plugged.device = std::move(device);
  std::lock_guard lock(state_->mutex);
  const int node = state_->nextNode++;
  plugged.interfaces =
      SplitHidInterfaces("virtual:" + std::to_string(node), plugged.attributes, interfaceNumber, descriptor);
  state_->devices.emplace(node, std::move(plugged));
  return node;
}

void VirtualHidBus::Unplug(int node) {
  std::vector<std::shared_ptr<VirtualConnection>> live;
  {
    std::lock_guard lock(state_->mutex);
    const auto it = state_->devices.find(node);
    if (it == state_->devices.end()) return;
    live = it->second.Live(std::nullopt);
    state_->devices.erase(it);
  }
  for (const auto& connection : live) connection->MarkUnplugged();
}

void VirtualHidBus::DeliverInput(int node, std::span<const uint8_t> report) {
  std::vector<std::shared_ptr<VirtualConnection>> targets;
  {
    std::lock_guard lock(state_->mutex);
    const auto it = state_->devices.find(node);
    if (it == state_->devices.end()) return;
    const auto& interfaces = it->second.interfaces;
    const HidInterfaceInfo* target = FindHidInterfaceForReport(interfaces, report);
    if (target == nullptr) return;
    targets = it->second.Live(static_cast<size_t>(target - interfaces.data()));
  }
  for (const auto& connection : targets) connection->Deliver(report);
}

bool VirtualHidBus::EnumeratePaths(std::vector<std::string>& paths) {
  paths.clear();
  std::lock_guard lock(state_->mutex);
  for (const auto& entry : state_->devices) {
    for (const HidInterfaceInfo& info : entry.second.interfaces) paths.push_back(info.path);
  }
  return true;
}

std::shared_ptr<HidConnection> VirtualHidBus::Open(const std::string& path, const HidOpenFlags&) {
  std::lock_guard lock(state_->mutex);
  PluggedDevice* device = nullptr;
  size_t index = 0;
  if (!state_->Find(path, device, index)) return nullptr;
  device->ForgetClosed();
  auto connection =
      std::make_shared<VirtualConnection>(device->device, device->attributes, device->interfaces[index].preparsed);
  device->connections.push_back({index, connection});
  return connection;
}

bool VirtualHidBus::Exists(const std::string& path) {
  std::lock_guard lock(state_->mutex);
  PluggedDevice* device = nullptr;
  size_t index = 0;
  return state_->Find(path, device, index);
}

}  // namespace velmora::platform
