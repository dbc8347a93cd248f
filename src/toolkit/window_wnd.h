#pragma once

// CWindowWnd: a top-level window of the toolkit on a host window. It receives numbered
// messages (HandleMessage), which may be sent (handled before the call returns; from another
// thread the caller blocks until the UI thread handled it) or posted (queued). Closing posts
// WM_CLOSE with a close code; ShowModal runs a nested loop until the window is gone and
// returns that code.

#include <atomic>
#include <map>
#include <memory>
#include <string>

#include "toolkit/host.h"
#include "toolkit/ui_types.h"
#include "toolkit/window_messages.h"

namespace velmora::toolkit {

// Window style bits for Create.
inline constexpr uint32_t kWindowResizable = 0x1;
inline constexpr uint32_t kWindowToolWindow = 0x2;  // pop-ups: combo lists, menus
inline constexpr uint32_t kWindowDecorated = 0x4;   // system title bar (skin windows draw their own)

class CWindowWnd : public HostClient {
 public:
  CWindowWnd();
  ~CWindowWnd() override;
  CWindowWnd(const CWindowWnd&) = delete;
  CWindowWnd& operator=(const CWindowWnd&) = delete;

  // Creates the host window (screen position x, y; size cx, cy, 0 for the window's own size)
  // and delivers WM_CREATE; false when the host or WM_CREATE refused.
  bool Create(Host& host, CWindowWnd* parent, const std::string& title, uint32_t style = 0, int x = 0, int y = 0,
              int cx = 0, int cy = 0);
  HostWindow* GetHWND() const { return window_.get(); }
  Host* GetHost() const { return host_; }
  CWindowWnd* GetParentWnd() const { return parent_; }
  bool IsWindow() const { return window_ != nullptr; }

  virtual void ShowWindow(bool show = true, bool takeFocus = true);
  // Shows the window modal to the others and returns its close code once it is gone.
  int ShowModal();
  // Posts WM_CLOSE with the close code.
  void Close(int code = IDOK);
  void CenterWindow();
  void MoveWindow(const UiRect& screenRect);
  void ResizeClient(int cx, int cy);
  UiRect GetWindowRect() const;
  // Delivers WM_DESTROY, removes the host window and then calls OnFinalMessage (which may
  // delete the object).
  void DestroyWindow();

  // A window timer: WM_TIMER with wParam = id every elapseMs until killed or the window goes.
  // Setting an id again restarts it.
  bool SetTimer(UiWParam id, uint32_t elapseMs);
  bool KillTimer(UiWParam id);

  UiLResult SendMessage(uint32_t msg, UiWParam wParam = 0, UiLParam lParam = 0);
  void PostMessage(uint32_t msg, UiWParam wParam = 0, UiLParam lParam = 0);
  virtual UiLResult HandleMessage(uint32_t msg, UiWParam wParam, UiLParam lParam);

  virtual std::string GetWindowClassName() const { return "VelmoraWindow"; }
  int GetCloseCode() const;

 protected:
  virtual void OnFinalMessage() {}

  // HostClient: by default nothing is painted and input is ignored.
  void OnHostPaint(cairo_t* cr, const HostRect& dirty) override;
  void OnHostInput(const HostInputEvent& event) override;
  void OnHostResize(int width, int height) override;
  bool OnHostCloseRequest() override;

 private:
  // Shared with work queued for the window, so that work arriving after the window is
  // gone is dropped.
  struct State {
    bool alive = true;
    std::atomic<bool> modalDone{false};
    int closeCode = 0;
  };

  Host* host_ = nullptr;
  CWindowWnd* parent_ = nullptr;
  std::unique_ptr<HostWindow> window_;
  std::shared_ptr<State> state_;
  std::map<UiWParam, TimerHandle> timers_;
  bool modal_ = false;
};

inline UiLParam MakeLParam(int low, int high) {
  return static_cast<UiLParam>((static_cast<uint32_t>(high) << 16) | (static_cast<uint32_t>(low) & 0xFFFF));
}
inline int LowWord(UiLParam value) { return static_cast<int>(static_cast<uint32_t>(value) & 0xFFFF); }
inline int HighWord(UiLParam value) { return static_cast<int>((static_cast<uint32_t>(value) >> 16) & 0xFFFF); }

}  // namespace velmora::toolkit
