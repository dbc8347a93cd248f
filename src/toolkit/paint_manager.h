#pragma once

// CPaintManagerUI: one per window. It owns the window's control tree, lays it out, paints it,
// turns host input into control events, delivers notifications to the window's notifiers and
// keeps the per-window tables: timers, option groups, fonts, default attributes, DPI.

#include <cairo.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/font_table.h"
#include "toolkit/host.h"
#include "toolkit/ui_notify.h"

typedef struct _PangoFontDescription PangoFontDescription;

namespace velmora::toolkit {

class CWindowWnd;

// A menu command handed to the menu's owner window (WM_MENUCLICK); released through the
// owner's paint manager with DeletePtr.
struct MenuCmd {
  std::string szName;
  std::string szUserData;
  std::string szText;
  bool bChecked = false;
};

class CPaintManagerUI {
 public:
  CPaintManagerUI();
  ~CPaintManagerUI();
  CPaintManagerUI(const CPaintManagerUI&) = delete;
  CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

  // Binds the manager to a host window (either may be null for a manager without a window).
  void Init(Host* host, HostWindow* window, const std::string& name = std::string());
  Host* GetHost() const { return host_; }
  HostWindow* GetHostWindow() const { return window_; }
  MessageLoop* GetLoop() const;
  const std::string& GetName() const { return name_; }
  // The window object this manager paints (messages such as menu commands go to it).
  void SetOwnerWindow(CWindowWnd* window) { ownerWindow_ = window; }
  // A reference that reads null once the manager is gone (for pop-ups that outlive it).
  std::weak_ptr<CPaintManagerUI*> WeakSelf() const { return self_; }
  CWindowWnd* GetOwnerWindow() const { return ownerWindow_; }

  // Process-wide paths: the program folder and the skin folder (both end with '/').
  static void SetInstancePath(const std::string& path);
  static const std::string& GetInstancePath();
  static void SetResourcePath(const std::string& path);
  static const std::string& GetResourcePath();
  static void SetResourceZip(const std::string& zip) { ResourceZip() = zip; }
  static const std::string& GetResourceZip() { return ResourceZip(); }
  static void SetResourceType(int type) { ResourceType() = type; }
  static int GetResourceType() { return ResourceType(); }

  // Tree.
  bool AttachDialog(CControlUI* root);  // takes ownership; replaces (and deletes) the old root
  CControlUI* GetRoot() const { return root_; }
  CControlUI* FindControl(const std::string& name) const;
  CControlUI* FindControl(UiPoint point) const;
  CControlUI* FindSubControlByName(CControlUI* parent, const std::string& name) const;
  CControlUI* FindSubControlByPoint(CControlUI* parent, UiPoint point) const;
  // The index-th control of the class under parent (class name or interface name).
  CControlUI* FindSubControlByClass(CControlUI* parent, const std::string& className, int index = 0) const;
  // Forgets every reference to a control that is going away (focus, hover, capture, timers,
  // queued notifications, option groups, the name cache).
  void ReapObjects(CControlUI* control);
  // A control of this window changes its name (called by CControlUI::SetName).
  void OnControlRenamed(CControlUI* control, const std::string& oldName);
  // Deletes a detached control once the current event has returned.
  void AddDelayedCleanup(CControlUI* control);

  // Notifications.
  void AddNotifier(INotifyUI* notifier);
  void RemoveNotifier(INotifyUI* notifier);
  void SendNotify(TNotifyUI& msg, bool async = false);
  void SendNotify(CControlUI* control, const std::string& type, UiWParam wParam = 0, UiLParam lParam = 0,
                  bool async = false);
  // Delivers the queued (async) notifications now.
  void ProcessAsyncNotifications();

  // Control timers: each tick reaches the control as a Timer event and, by default, the
  // window as a "timer" notification with wParam = id. Setting an existing id restarts it.
  bool SetTimer(CControlUI* control, UiWParam id, uint32_t elapseMs);
  bool KillTimer(CControlUI* control, UiWParam id);
  void KillTimer(CControlUI* control);
  void RemoveAllTimers();

  // Focus, capture, hover.
  CControlUI* GetFocus() const { return focus_; }
  void SetFocus(CControlUI* control);
  void SetCapture(CControlUI* control);
  void ReleaseCapture();
  bool IsCaptured() const { return capture_ != nullptr; }
  CControlUI* GetHover() const { return hover_; }
  UiPoint GetMousePos() const { return mousePos_; }
  // The tooltip currently shown (empty when none).
  const std::string& GetCurrentToolTip() const { return toolTip_; }

  // Option groups: selecting one option of a group clears the others.
  bool AddOptionGroup(const std::string& group, CControlUI* control);
  const std::vector<CControlUI*>* GetOptionGroup(const std::string& group) const;
  void RemoveOptionGroup(const std::string& group, CControlUI* control);
  void RemoveAllOptionGroups();

  // Fonts (see FontTable).
  void AddFont(int id, const std::string& face, int size, bool bold, bool underline, bool italic,
               bool shared = false);
  void SetDefaultFont(const std::string& face, int size, bool bold, bool underline, bool italic,
                      bool shared = false);
  const TFontInfo& GetFontInfo(int id) const { return fonts_.GetFontInfo(id); }
  const TFontInfo& GetDefaultFontInfo() const { return fonts_.GetDefaultFontInfo(); }
  void RemoveAllFonts(bool shared = false);
  // The Pango description of font id at the window's DPI (-1: the default font).
  PangoFontDescription* GetFont(int id);

  // Attribute lists applied to every control of a class before its own attributes.
  void AddDefaultAttributeList(const std::string& controlName, const std::string& list, bool shared = false);
  const std::string* GetDefaultAttributeList(const std::string& controlName) const;
  void RemoveAllDefaultAttributeList(bool shared = false);

  // Window attributes from the layout's Window element.
  UiSize GetInitSize() const;
  void SetInitSize(int cx, int cy) { initSize_ = {cx, cy}; }
  UiRect GetCaptionRect() const;
  void SetCaptionRect(const UiRect& rc) { caption_ = rc; }
  UiRect GetSizeBox() const;
  void SetSizeBox(const UiRect& rc) { sizeBox_ = rc; }
  UiSize GetMinInfo() const;
  void SetMinInfo(int cx, int cy) { minInfo_ = {cx, cy}; }
  UiSize GetMaxInfo() const;
  void SetMaxInfo(int cx, int cy) { maxInfo_ = {cx, cy}; }
  UiSize GetRoundCorner() const;
  void SetRoundCorner(int cx, int cy) { roundCorner_ = {cx, cy}; }
  UiColor GetDefaultFontColor() const { return defaultFontColor_; }
  void SetDefaultFontColor(UiColor color) { defaultFontColor_ = color; }
  UiColor GetDefaultDisabledColor() const { return defaultDisabledColor_; }
  void SetDefaultDisabledColor(UiColor color) { defaultDisabledColor_ = color; }
  UiColor GetDefaultSelectedBkColor() const { return defaultSelectedBkColor_; }
  void SetDefaultSelectedBkColor(UiColor color) { defaultSelectedBkColor_ = color; }
  // Applies one Window element attribute; false when the name is unknown.
  bool SetWindowAttribute(const std::string& name, const std::string& value);

  // DPI. Positions, sizes, fonts and images follow the window's DPI (96 = 100 %).
  int GetDPI() const { return dpi_; }
  void SetDPI(int dpi);
  static void SetAllDPI(int dpi);
  // Drops everything computed for the old DPI (font descriptions, scaled images) and relays out.
  void ResetDPIAssets();
  int ScaleValue(int value) const;

  // Layout and painting.
  void SetClientSize(int cx, int cy);
  UiSize GetClientSize() const { return clientSize_; }
  void NeedUpdate() { updateNeeded_ = true; }
  bool IsUpdateNeeded() const { return updateNeeded_; }
  // Lays out the tree when something changed; the first layout sends "windowinit".
  void UpdateLayout();
  void Invalidate();
  void Invalidate(const UiRect& rc);
  void Paint(cairo_t* cr, const UiRect& dirty);
  // Every window's manager is invalidated (language reload).
  static void InvalidateAll();
  static const std::vector<CPaintManagerUI*>& GetPaintManagers();

  // Input from the host, in window device pixels.
  void HandleInput(const HostInputEvent& input);
  // The caret rectangle of the focused control, for the input method.
  UiRect GetCaretRect() const;

  // Menu command records handed to this window; DeletePtr releases one. Records still
  // held when the manager goes are released with it.
  MenuCmd* CreateMenuCmd();
  void DeletePtr(void* ptr);

  // Host clipboard (empty without a host).
  void SetClipboardText(const std::string& text);
  std::string GetClipboardText();
  void SetCursor(HostCursor cursor);

 private:
  struct TimerInfo {
    CControlUI* control;
    UiWParam id;
    TimerHandle handle;
  };

  static std::string& ResourceZip();
  static int& ResourceType();
  void PostToLoop(std::function<void()> work);
  void DeliverNotify(TNotifyUI& msg);
  void FireTimer(CControlUI* control, UiWParam id);
  void ProcessDelayedCleanup();
  void UpdateHover(UiPoint point);
  void HandleButtonDown(const HostInputEvent& input);
  void HandleButtonUp(const HostInputEvent& input);
  void HandleKey(const HostInputEvent& input);
  // Moves the focus to the next (or previous) visible, enabled tab stop in document order.
  void MoveFocusByTab(bool forward);
  void HandleWheel(const HostInputEvent& input);
  bool TryStartCaptionMove(UiPoint point, CControlUI* control);
  void StartToolTipTimer();
  TEventUI MakeEvent(UiEventType type, CControlUI* sender, const HostInputEvent& input) const;

  Host* host_ = nullptr;
  HostWindow* window_ = nullptr;
  CWindowWnd* ownerWindow_ = nullptr;
  std::string name_;
  CControlUI* root_ = nullptr;
  CControlUI* focus_ = nullptr;
  CControlUI* hover_ = nullptr;
  CControlUI* capture_ = nullptr;
  CControlUI* pressed_ = nullptr;  // the control the last button went down on
  UiPoint mousePos_;
  std::string toolTip_;
  TimerHandle toolTipTimer_ = 0;
  // Window-wide lookups by name, first found: every entry is alive, attached here and still
  // carries that (lower-cased) name, because controls leave it when they go or are renamed.
  mutable std::unordered_map<std::string, CControlUI*> nameCache_;
  std::vector<INotifyUI*> notifiers_;
  std::deque<TNotifyUI> asyncNotify_;
  bool asyncFlushPosted_ = false;
  std::vector<TimerInfo> timers_;
  std::map<std::string, std::vector<CControlUI*>> optionGroups_;
  std::vector<CControlUI*> delayedCleanup_;
  bool cleanupPosted_ = false;
  FontTable fonts_;
  std::map<std::string, std::string> defaultAttributes_;
  std::vector<std::unique_ptr<MenuCmd>> menuCmds_;
  UiSize initSize_, minInfo_, maxInfo_, roundCorner_, clientSize_;
  UiRect caption_, sizeBox_;
  UiColor defaultFontColor_ = 0xFF000000, defaultDisabledColor_ = 0xFFA7A6AA, defaultSelectedBkColor_ = 0xFFBAE4FF;
  int dpi_ = 96;
  bool updateNeeded_ = true;
  bool firstLayout_ = true;
  // Work posted to the loop holds a weak reference, so it is dropped once the manager is gone.
  std::shared_ptr<CPaintManagerUI*> self_;
};

}  // namespace velmora::toolkit
