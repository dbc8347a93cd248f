#include "toolkit/window_wnd.h"

namespace velmora::toolkit {

CWindowWnd::CWindowWnd() : state_(std::make_shared<State>()) {}

CWindowWnd::~CWindowWnd() {
  for (const auto& [id, handle] : timers_) host_->Loop().StopTimer(handle);
  state_->alive = false;
  state_->modalDone = true;
  if (modal_ && parent_ != nullptr && parent_->GetHWND() != nullptr) parent_->GetHWND()->SetModal(false);
  window_.reset();
}

bool CWindowWnd::Create(Host& host, CWindowWnd* parent, const std::string& title, uint32_t style, int x, int y, int cx,
                        int cy) {
  if (window_ != nullptr) return false;
  host_ = &host;
  parent_ = parent;
  state_->modalDone = false;
  HostWindowOptions options;
  options.title = title;
  options.width = cx > 0 ? cx : 1;
  options.height = cy > 0 ? cy : 1;
  options.resizable = (style & kWindowResizable) != 0;
  options.decorated = (style & kWindowDecorated) != 0;
  options.toolWindow = (style & kWindowToolWindow) != 0;
  options.parent = parent != nullptr ? parent->GetHWND() : nullptr;
  window_ = host.CreateHostWindow(*this, options);
  if (window_ == nullptr) return false;
  window_->SetBounds({x, y, x + options.width, y + options.height});
  if (HandleMessage(WM_CREATE, 0, 0) == -1) {
    window_.reset();
    return false;
  }
  return true;
}

void CWindowWnd::ShowWindow(bool show, bool) {
  if (window_ != nullptr) window_->Show(show);
}

int CWindowWnd::ShowModal() {
  if (window_ == nullptr || host_ == nullptr) return -1;
  std::shared_ptr<State> state = state_;  // the window may delete itself before the loop returns
  modal_ = true;
  window_->SetModal(true);
  ShowWindow(true);
  MessageLoop& loop = host_->Loop();
  loop.RunUntil(state->modalDone);
  if (state->alive) modal_ = false;
  return state->closeCode;
}

void CWindowWnd::Close(int code) { PostMessage(WM_CLOSE, static_cast<UiWParam>(code), 0); }

void CWindowWnd::CenterWindow() {
  if (window_ == nullptr || host_ == nullptr) return;
  const HostRect bounds = window_->Bounds();
  HostRect area = host_->ScreenWorkArea();
  if (parent_ != nullptr && parent_->GetHWND() != nullptr && parent_->GetHWND()->IsVisible()) {
    area = parent_->GetHWND()->Bounds();
  }
  const int left = area.left + (area.Width() - bounds.Width()) / 2;
  const int top = area.top + (area.Height() - bounds.Height()) / 2;
  window_->SetBounds({left, top, left + bounds.Width(), top + bounds.Height()});
}

void CWindowWnd::MoveWindow(const UiRect& rc) {
  if (window_ != nullptr) window_->SetBounds({rc.left, rc.top, rc.right, rc.bottom});
}

void CWindowWnd::ResizeClient(int cx, int cy) {
  if (window_ == nullptr) return;
  const HostRect bounds = window_->Bounds();
  window_->SetBounds({bounds.left, bounds.top, bounds.left + cx, bounds.top + cy});
}

UiRect CWindowWnd::GetWindowRect() const {
  if (window_ == nullptr) return {};
  const HostRect bounds = window_->Bounds();
  return {bounds.left, bounds.top, bounds.right, bounds.bottom};
}

void CWindowWnd::DestroyWindow() {
  if (window_ == nullptr) return;
  HandleMessage(WM_DESTROY, 0, 0);
  if (window_ == nullptr) return;  // destroyed again from inside WM_DESTROY
  window_->Show(false);
  if (modal_) {
    window_->SetModal(false);
    modal_ = false;
  }
  for (const auto& [id, handle] : timers_) host_->Loop().StopTimer(handle);
  timers_.clear();
  std::unique_ptr<HostWindow> gone = std::move(window_);
  gone.reset();
  state_->modalDone = true;
  OnFinalMessage();  // may delete this: nothing may follow
}

bool CWindowWnd::SetTimer(UiWParam id, uint32_t elapseMs) {
  if (window_ == nullptr) return false;
  KillTimer(id);
  std::weak_ptr<State> weak = state_;
  timers_[id] = host_->Loop().StartTimer(elapseMs, [this, weak, id] {
    auto state = weak.lock();
    if (state && state->alive) HandleMessage(WM_TIMER, id, 0);
  });
  return true;
}

bool CWindowWnd::KillTimer(UiWParam id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return false;
  host_->Loop().StopTimer(it->second);
  timers_.erase(it);
  return true;
}

UiLResult CWindowWnd::SendMessage(uint32_t msg, UiWParam wParam, UiLParam lParam) {
  if (host_ == nullptr) return 0;
  MessageLoop& loop = host_->Loop();
  if (loop.IsUiThread()) return HandleMessage(msg, wParam, lParam);
  UiLResult result = 0;
  std::weak_ptr<State> weak = state_;
  loop.Send([this, weak, msg, wParam, lParam, &result] {
    auto state = weak.lock();
    if (state && state->alive) result = HandleMessage(msg, wParam, lParam);
  });
  return result;
}

void CWindowWnd::PostMessage(uint32_t msg, UiWParam wParam, UiLParam lParam) {
  if (host_ == nullptr) return;
  std::weak_ptr<State> weak = state_;
  host_->Loop().Post([this, weak, msg, wParam, lParam] {
    auto state = weak.lock();
    if (state && state->alive) HandleMessage(msg, wParam, lParam);
  });
}

UiLResult CWindowWnd::HandleMessage(uint32_t msg, UiWParam wParam, UiLParam) {
  switch (msg) {
    case WM_CLOSE:
      state_->closeCode = static_cast<int>(static_cast<intptr_t>(wParam));
      DestroyWindow();
      return 0;
    case WM_SYSCOMMAND:
      if (window_ == nullptr) return 0;
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE: window_->Minimize(); break;
        case SC_MAXIMIZE: window_->Maximize(); break;
        case SC_RESTORE: window_->Restore(); break;
        case SC_CLOSE: PostMessage(WM_CLOSE, 0, 0); break;
        default: break;
      }
      return 0;
    default:
      return 0;
  }
}

int CWindowWnd::GetCloseCode() const { return state_->closeCode; }

void CWindowWnd::OnHostPaint(cairo_t*, const HostRect&) {}
void CWindowWnd::OnHostInput(const HostInputEvent&) {}
void CWindowWnd::OnHostResize(int width, int height) { HandleMessage(WM_SIZE, 0, MakeLParam(width, height)); }

bool CWindowWnd::OnHostCloseRequest() {
  HandleMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
  return false;  // the window closes itself through WM_CLOSE
}

}  // namespace velmora::toolkit
