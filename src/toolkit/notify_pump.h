#pragma once

// Routes notifications to handler methods: a message map binds event names (optionally for
// one control name) to handlers, and named virtual windows forward to other pumps.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "toolkit/ui_notify.h"

namespace velmora::toolkit {

class CNotifyPump {
 public:
  using Handler = std::function<void(TNotifyUI&)>;

  virtual ~CNotifyPump() = default;

  // Binds an event name to a handler; with controlName, only for senders of that name
  // (ASCII case-insensitive). Later bindings for the same key replace earlier ones.
  void BindNotify(const std::string& eventName, Handler handler);
  void BindNotify(const std::string& eventName, const std::string& controlName, Handler handler);
  template <typename T>
  void BindNotify(const std::string& eventName, void (T::*method)(TNotifyUI&)) {
    T* self = static_cast<T*>(this);
    BindNotify(eventName, [self, method](TNotifyUI& msg) { (self->*method)(msg); });
  }

  // A pump registered under a virtual-window name receives the notifications of controls
  // whose "virtualwnd" is that name. False when the name is taken or the pump is null.
  bool AddVirtualWnd(const std::string& name, CNotifyPump* pump);
  bool RemoveVirtualWnd(const std::string& name);

  // Delivers msg: to the virtual window it names when one is registered, else to the
  // message map. True when some handler ran.
  bool NotifyPump(TNotifyUI& msg);

 protected:
  // Runs the message-map handler for msg; true when one matched.
  bool LoopDispatch(TNotifyUI& msg);

 private:
  struct Binding {
    std::string eventName;
    std::string controlName;  // empty: any sender
    Handler handler;
  };
  std::vector<Binding> bindings_;
  std::map<std::string, CNotifyPump*> virtualWnds_;
};

}  // namespace velmora::toolkit
