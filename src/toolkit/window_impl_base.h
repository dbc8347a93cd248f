#pragma once

// WindowImplBase: a window whose content is a layout file. On creation it builds the skin
// (GetSkinFile) with the window as the builder's custom-control callback, attaches it to its
// paint manager and calls InitWindow. Notifications reach Notify, whose default runs the
// message map (CNotifyPump). Messages are split into the overridable On… handlers.

#include "toolkit/dialog_builder.h"
#include "toolkit/notify_pump.h"
#include "toolkit/paint_manager.h"
#include "toolkit/resource_manager.h"
#include "toolkit/window_wnd.h"

namespace velmora::toolkit {

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IDialogBuilderCallback,
                       public IQueryControlText {
 public:
  WindowImplBase() = default;
  ~WindowImplBase() override;

  // The layout: a file under the resource path, a res.xml id or the XML text.
  virtual std::string GetSkinFile() = 0;
  // A folder under the program folder that becomes the resource path; empty keeps it.
  virtual std::string GetSkinFolder() { return std::string(); }
  virtual void InitWindow() {}

  void Notify(TNotifyUI& msg) override;
  CControlUI* CreateControl(const std::string& className) override;
  std::string QueryControlText(const std::string& key, const std::string& type) override;

  UiLResult HandleMessage(uint32_t msg, UiWParam wParam, UiLParam lParam) override;
  virtual UiLResult HandleCustomMessage(uint32_t msg, UiWParam wParam, UiLParam lParam, bool& handled);
  virtual UiLResult OnCreate(UiWParam wParam, UiLParam lParam, bool& handled);
  virtual UiLResult OnClose(UiWParam wParam, UiLParam lParam, bool& handled);
  virtual UiLResult OnDestroy(UiWParam wParam, UiLParam lParam, bool& handled);
  virtual UiLResult OnSize(UiWParam wParam, UiLParam lParam, bool& handled);
  virtual UiLResult OnSysCommand(UiWParam wParam, UiLParam lParam, bool& handled);
  virtual UiLResult OnGetMinMaxInfo(UiWParam wParam, UiLParam lParam, bool& handled);

  void ShowWindow(bool show = true, bool takeFocus = true) override;
  CPaintManagerUI& GetPaintManager() { return m_pm; }

 protected:
  void OnHostPaint(cairo_t* cr, const HostRect& dirty) override;
  void OnHostInput(const HostInputEvent& event) override;
  HostRect HostCaretRect() override;

  CPaintManagerUI m_pm;
};

}  // namespace velmora::toolkit
