#pragma once

// A skin window for the toolkit's headless tests: built from layout text, it records every
// notification, every custom message and every window timer tick it receives.

#include <functional>
#include <string>
#include <vector>

#include "toolkit/headless_host.h"
#include "toolkit/window_impl_base.h"

namespace velmora::toolkit::testing {

struct RecordedNotify {
  std::string type;
  std::string sender;
  UiWParam wParam;
  UiLParam lParam;
};

struct RecordedMessage {
  uint32_t msg;
  UiWParam wParam;
  UiLParam lParam;
};

class TestWindow : public WindowImplBase {
 public:
  explicit TestWindow(std::string skin) : skin_(std::move(skin)) {}

  std::string GetSkinFile() override { return skin_; }
  void Notify(TNotifyUI& msg) override {
    notes.push_back({msg.sType, msg.pSender != nullptr ? msg.pSender->GetName() : std::string(), msg.wParam, msg.lParam});
    WindowImplBase::Notify(msg);
  }
  CControlUI* CreateControl(const std::string& className) override {
    return creator ? creator(className) : nullptr;
  }
  UiLResult HandleCustomMessage(uint32_t msg, UiWParam wParam, UiLParam lParam, bool& handled) override {
    if (msg >= WM_USER || msg == WM_TIMER) {
      messages.push_back({msg, wParam, lParam});
      if (onMessage) onMessage(msg, wParam, lParam);
    }
    handled = false;
    return 0;
  }

  // Creates and shows the window at the screen origin.
  bool Open(HeadlessHost& host, int width = 400, int height = 300, CWindowWnd* parent = nullptr) {
    if (!Create(host, parent, "test", 0, 0, 0, width, height)) return false;
    ShowWindow(true);
    return true;
  }
  HeadlessWindow* Screen() const { return static_cast<HeadlessWindow*>(GetHWND()); }
  CControlUI* Find(const std::string& name) { return m_pm.FindControl(name); }
  template <typename T>
  T* FindAs(const std::string& name, const char* interfaceName) {
    CControlUI* control = Find(name);
    return control != nullptr ? static_cast<T*>(control->GetInterface(interfaceName)) : nullptr;
  }
  size_t Count(const std::string& type, const std::string& sender = std::string()) const {
    size_t n = 0;
    for (const RecordedNotify& note : notes) {
      if (note.type == type && (sender.empty() || note.sender == sender)) ++n;
    }
    return n;
  }
  const RecordedNotify* Last(const std::string& type) const {
    for (auto it = notes.rbegin(); it != notes.rend(); ++it) {
      if (it->type == type) return &*it;
    }
    return nullptr;
  }
  // The centre of a control, for clicks.
  UiPoint Centre(const std::string& name) {
    const UiRect rc = Find(name)->GetPos();
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  }
  void Click(const std::string& name) {
    const UiPoint p = Centre(name);
    Screen()->Click(p.x, p.y);
  }

  std::vector<RecordedNotify> notes;
  std::vector<RecordedMessage> messages;
  std::function<CControlUI*(const std::string&)> creator;
  std::function<void(uint32_t, UiWParam, UiLParam)> onMessage;

 private:
  std::string skin_;
};

}  // namespace velmora::toolkit::testing
