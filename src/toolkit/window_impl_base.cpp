#include "toolkit/window_impl_base.h"

#include "platform/debug_output.h"

namespace velmora::toolkit {

WindowImplBase::~WindowImplBase() {
  // The host window outlives the manager by a moment (the base class owns it): make sure
  // nothing paints or routes input into the manager any more.
  m_pm.Init(GetHost(), nullptr, m_pm.GetName());
}

void WindowImplBase::Notify(TNotifyUI& msg) { NotifyPump(msg); }

CControlUI* WindowImplBase::CreateControl(const std::string&) { return nullptr; }

std::string WindowImplBase::QueryControlText(const std::string&, const std::string&) { return std::string(); }

UiLResult WindowImplBase::HandleMessage(uint32_t msg, UiWParam wParam, UiLParam lParam) {
  bool handled = true;
  UiLResult result = 0;
  switch (msg) {
    case WM_CREATE: result = OnCreate(wParam, lParam, handled); break;
    case WM_CLOSE: result = OnClose(wParam, lParam, handled); break;
    case WM_DESTROY: result = OnDestroy(wParam, lParam, handled); break;
    case WM_SIZE: result = OnSize(wParam, lParam, handled); break;
    case WM_SYSCOMMAND: result = OnSysCommand(wParam, lParam, handled); break;
    case WM_GETMINMAXINFO: result = OnGetMinMaxInfo(wParam, lParam, handled); break;
    default: handled = false; break;
  }
  if (handled) return result;
  result = HandleCustomMessage(msg, wParam, lParam, handled);
  if (handled) return result;
  if (msg == WM_DESTROY) m_pm.Init(GetHost(), nullptr, m_pm.GetName());
  return CWindowWnd::HandleMessage(msg, wParam, lParam);
}

UiLResult WindowImplBase::HandleCustomMessage(uint32_t, UiWParam, UiLParam, bool& handled) {
  handled = false;
  return 0;
}

UiLResult WindowImplBase::OnCreate(UiWParam, UiLParam, bool& handled) {
  handled = true;
  m_pm.Init(GetHost(), GetHWND(), GetWindowClassName());
  m_pm.SetOwnerWindow(this);
  const std::string folder = GetSkinFolder();
  if (!folder.empty()) CPaintManagerUI::SetResourcePath(CPaintManagerUI::GetInstancePath() + folder);
  CDialogBuilder builder;
  CControlUI* root = builder.Create(GetSkinFile(), std::string(), this, &m_pm);
  if (root == nullptr) {
    platform::DebugOutputF("toolkit: window '%s' has no skin", GetWindowClassName().c_str());
    return -1;
  }
  m_pm.AttachDialog(root);
  m_pm.AddNotifier(this);
  const UiSize initial = m_pm.GetInitSize();
  if (initial.cx > 0 && initial.cy > 0) ResizeClient(initial.cx, initial.cy);
  const UiRect rc = GetWindowRect();
  m_pm.SetClientSize(rc.Width(), rc.Height());
  InitWindow();
  return 0;
}

UiLResult WindowImplBase::OnClose(UiWParam, UiLParam, bool& handled) {
  handled = false;
  return 0;
}

UiLResult WindowImplBase::OnDestroy(UiWParam, UiLParam, bool& handled) {
  handled = false;
  return 0;
}

UiLResult WindowImplBase::OnSize(UiWParam, UiLParam lParam, bool& handled) {
  m_pm.SetClientSize(LowWord(lParam), HighWord(lParam));
  if (IsWindow() && GetHWND()->IsVisible()) m_pm.UpdateLayout();
  handled = false;
  return 0;
}

UiLResult WindowImplBase::OnSysCommand(UiWParam, UiLParam, bool& handled) {
  handled = false;
  return 0;
}

UiLResult WindowImplBase::OnGetMinMaxInfo(UiWParam, UiLParam, bool& handled) {
  handled = false;
  return 0;
}

void WindowImplBase::ShowWindow(bool show, bool takeFocus) {
  CWindowWnd::ShowWindow(show, takeFocus);
  if (show) m_pm.UpdateLayout();
}

void WindowImplBase::OnHostPaint(cairo_t* cr, const HostRect& dirty) {
  m_pm.Paint(cr, {dirty.left, dirty.top, dirty.right, dirty.bottom});
}

void WindowImplBase::OnHostInput(const HostInputEvent& event) { m_pm.HandleInput(event); }

HostRect WindowImplBase::HostCaretRect() {
  const UiRect rc = m_pm.GetCaretRect();
  return {rc.left, rc.top, rc.right, rc.bottom};
}

}  // namespace velmora::toolkit
