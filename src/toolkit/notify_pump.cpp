#include "toolkit/notify_pump.h"

#include "toolkit/control.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {

void CNotifyPump::BindNotify(const std::string& eventName, Handler handler) {
  BindNotify(eventName, std::string(), std::move(handler));
}

void CNotifyPump::BindNotify(const std::string& eventName, const std::string& controlName, Handler handler) {
  for (Binding& binding : bindings_) {
    if (binding.eventName == eventName && EqualsNoCase(binding.controlName, controlName)) {
      binding.handler = std::move(handler);
      return;
    }
  }
  bindings_.push_back({eventName, controlName, std::move(handler)});
}

bool CNotifyPump::AddVirtualWnd(const std::string& name, CNotifyPump* pump) {
  if (pump == nullptr || virtualWnds_.count(ToLowerAscii(name)) != 0) return false;
  virtualWnds_[ToLowerAscii(name)] = pump;
  return true;
}

bool CNotifyPump::RemoveVirtualWnd(const std::string& name) {
  return virtualWnds_.erase(ToLowerAscii(name)) != 0;
}

bool CNotifyPump::NotifyPump(TNotifyUI& msg) {
  if (!msg.sVirtualWnd.empty()) {
    auto it = virtualWnds_.find(ToLowerAscii(msg.sVirtualWnd));
    if (it != virtualWnds_.end()) return it->second->LoopDispatch(msg);
  }
  return LoopDispatch(msg);
}

bool CNotifyPump::LoopDispatch(TNotifyUI& msg) {
  const std::string senderName = msg.pSender != nullptr ? msg.pSender->GetName() : std::string();
  // A binding for the sender's own name wins over a binding for the event alone.
  const Binding* general = nullptr;
  for (const Binding& binding : bindings_) {
    if (binding.eventName != msg.sType) continue;
    if (binding.controlName.empty()) {
      if (general == nullptr) general = &binding;
    } else if (EqualsNoCase(binding.controlName, senderName)) {
      Handler handler = binding.handler;
      handler(msg);
      return true;
    }
  }
  if (general == nullptr) return false;
  Handler handler = general->handler;
  handler(msg);
  return true;
}

}  // namespace velmora::toolkit
