#pragma once

// CControlUI: the base of every control of the tree. It holds the attributes every control
// shares (name, text, visibility, geometry, background, border), lays itself out inside the
// rectangle its parent gives it, paints its layers and turns input events into notifications.

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/ui_event.h"
#include "toolkit/ui_notify.h"
#include "toolkit/ui_types.h"

namespace velmora::toolkit {

class CPaintManagerUI;

// FindControl walk flags.
inline constexpr uint32_t UIFIND_ALL = 0x0;
inline constexpr uint32_t UIFIND_VISIBLE = 0x1;
inline constexpr uint32_t UIFIND_ENABLED = 0x2;
inline constexpr uint32_t UIFIND_HITTEST = 0x4;
inline constexpr uint32_t UIFIND_TOP_FIRST = 0x8;
inline constexpr uint32_t UIFIND_ME_FIRST = 0x8000;

// Control state bits used by the stateful controls' painting.
inline constexpr uint32_t UISTATE_FOCUSED = 0x01;
inline constexpr uint32_t UISTATE_SELECTED = 0x02;
inline constexpr uint32_t UISTATE_DISABLED = 0x04;
inline constexpr uint32_t UISTATE_HOT = 0x08;
inline constexpr uint32_t UISTATE_PUSHED = 0x10;
inline constexpr uint32_t UISTATE_READONLY = 0x20;
inline constexpr uint32_t UISTATE_CAPTURED = 0x40;

// Control flags (GetControlFlags).
inline constexpr uint32_t UIFLAG_TABSTOP = 0x01;
inline constexpr uint32_t UIFLAG_SETCURSOR = 0x02;

class CControlUI {
 public:
  // Returns true when the control matches.
  using FindPredicate = std::function<bool(CControlUI*)>;
  // Sees each notification this control sends before the window does; true stops it.
  using NotifyListener = std::function<bool(TNotifyUI&)>;

  CControlUI();
  virtual ~CControlUI();
  CControlUI(const CControlUI&) = delete;
  CControlUI& operator=(const CControlUI&) = delete;

  // Identity.
  virtual std::string GetClass() const;
  // This control seen as the named interface ("Control", "Button", ...), or null.
  virtual void* GetInterface(std::string_view name);
  virtual uint32_t GetControlFlags() const { return 0; }
  const std::string& GetName() const { return m_sName; }
  virtual void SetName(const std::string& name);

  // Tree.
  CPaintManagerUI* GetManager() const { return m_pManager; }
  CControlUI* GetParent() const { return m_pParent; }
  // Attaches the control (and its subtree) to a window; init runs each control's DoInit.
  virtual void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true);
  // The depth-first walk used by every lookup; returns the first match or null.
  virtual CControlUI* FindControl(const FindPredicate& match, uint32_t flags);
  // This control or the first of its descendants, in document order, with the name (ASCII
  // case-insensitive) or of the class (class name or interface name); the index-th match for
  // classes. Work on detached subtrees too. Null when none.
  CControlUI* FindSubControl(const std::string& name);
  CControlUI* FindSubControlByClass(const std::string& className, int index = 0);
  void Init();
  virtual void DoInit() {}

  // Text. A text written as "%[key]" (or any text when resourcetext is set) is a language key,
  // resolved through the resource manager each time it is read, so a language reload shows.
  virtual std::string GetText() const;
  virtual void SetText(const std::string& text);
  const std::string& GetRawText() const { return m_sText; }
  std::string GetToolTip() const;
  void SetToolTip(const std::string& text) { m_sToolTip = text; }
  bool IsResourceText() const { return m_bResourceText; }
  void SetResourceText(bool on);

  const std::string& GetUserData() const { return m_sUserData; }
  void SetUserData(const std::string& data) { m_sUserData = data; }
  uintptr_t GetTag() const { return m_pTag; }
  void SetTag(uintptr_t tag) { m_pTag = tag; }
  const std::string& GetVirtualWnd() const;  // own or inherited from the nearest parent
  void SetVirtualWnd(const std::string& name) { m_sVirtualWnd = name; }

  // State.
  virtual bool IsVisible() const { return m_bVisible && m_bInternVisible; }
  virtual void SetVisible(bool visible = true);
  // Visibility imposed by the parent (a hidden tab page hides its subtree).
  virtual void SetInternVisible(bool visible = true);
  virtual bool IsEnabled() const { return m_bEnabled; }
  virtual void SetEnabled(bool enabled = true);
  bool IsMouseEnabled() const { return m_bMouseEnabled; }
  void SetMouseEnabled(bool enabled) { m_bMouseEnabled = enabled; }
  bool IsKeyboardEnabled() const { return m_bKeyboardEnabled; }
  void SetKeyboardEnabled(bool enabled) { m_bKeyboardEnabled = enabled; }
  bool IsFocused() const { return m_bFocused; }
  virtual void SetFocus();
  // Runs the control's action (button click, option toggle); false when it cannot act.
  virtual bool Activate();
  bool IsContextMenuUsed() const { return m_bMenuUsed; }
  // Where a text caret is drawn (for the input method's candidate window); empty when none.
  virtual UiRect GetCaretRect() const { return {}; }
  // The mouse cursor shown over the control.
  virtual int GetCursor() const { return m_nCursor; }

  // Geometry. Sizes are stored as written (96 DPI) and read scaled to the window's DPI.
  const UiRect& GetPos() const { return m_rcItem; }
  virtual void SetPos(const UiRect& rc, bool needInvalidate = true);
  bool IsFloat() const { return m_bFloat; }
  void SetFloat(bool isFloat = true);
  UiSize GetFixedXY() const;            // the float position (pos left, top)
  void SetFixedXY(UiSize xy);
  int GetFixedWidth() const;
  void SetFixedWidth(int cx);
  int GetFixedHeight() const;
  void SetFixedHeight(int cy);
  int GetMinWidth() const;
  void SetMinWidth(int cx);
  int GetMaxWidth() const;
  void SetMaxWidth(int cx);
  int GetMinHeight() const;
  void SetMinHeight(int cy);
  int GetMaxHeight() const;
  void SetMaxHeight(int cy);
  UiRect GetPadding() const;
  void SetPadding(const UiRect& padding);
  // The size the control wants inside the available space; 0 in a dimension means "stretch".
  virtual UiSize EstimateSize(UiSize available);
  // Places a float child relative to its parent's rectangle.
  void SetFloatPos();

  // Background and border.
  UiColor GetBkColor() const { return m_dwBackColor; }
  void SetBkColor(UiColor color);
  const std::string& GetBkImage() const { return m_sBkImage; }
  void SetBkImage(const std::string& image);
  const std::string& GetForeImage() const { return m_sForeImage; }
  void SetForeImage(const std::string& image);
  UiColor GetBorderColor() const { return m_dwBorderColor; }
  void SetBorderColor(UiColor color);
  UiColor GetFocusBorderColor() const { return m_dwFocusBorderColor; }
  void SetFocusBorderColor(UiColor color);
  int GetBorderSize() const;
  void SetBorderSize(int size);
  UiSize GetBorderRound() const;
  void SetBorderRound(UiSize round);

  // Attributes by name, as the layout files write them. Unknown names are reported through
  // DebugOutput and ignored.
  virtual void SetAttribute(const std::string& name, const std::string& value);
  // Applies `name="value" ...`; false when the list is malformed (the valid prefix applies).
  bool ApplyAttributeList(const std::string& list);
  // Extra attributes kept verbatim for the program's own use.
  void AddCustomAttribute(const std::string& name, const std::string& value);
  const std::string* GetCustomAttribute(const std::string& name) const;

  // Repainting and relayout.
  void Invalidate();
  bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
  void NeedUpdate();
  void NeedParentUpdate();

  // Events and painting.
  virtual void DoEvent(TEventUI& event);
  // Paints the control within rcPaint; false stops the painting of later siblings.
  virtual bool DoPaint(cairo_t* cr, const UiRect& rcPaint);
  virtual void PaintBkColor(cairo_t* cr);
  virtual void PaintBkImage(cairo_t* cr);
  virtual void PaintStatusImage(cairo_t* cr);
  virtual void PaintForeImage(cairo_t* cr);
  virtual void PaintText(cairo_t* cr);
  virtual void PaintBorder(cairo_t* cr);
  // Draws an image string in this control's rectangle; false when the image is unavailable.
  bool DrawImage(cairo_t* cr, const std::string& image, const std::string& modify = std::string());

  void AddNotifyListener(NotifyListener listener) { m_notifyListeners.push_back(std::move(listener)); }
  // Called by the paint manager before the window sees a notification this control sent.
  bool OnNotify(TNotifyUI& msg);

  // Scales a 96-DPI value to the window's DPI.
  int Scale(int value) const;
  UiRect Scale(const UiRect& rect) const;
  UiSize Scale(UiSize size) const;

 protected:
  // Sends a notification from this control through its window.
  void Notify(const char* type, UiWParam wParam = 0, UiLParam lParam = 0, bool async = false);
  // Forwards an event this control did not use to its parent (wheel scrolling bubbles up).
  void PassToParent(TEventUI& event);
  // Keeps UISTATE_HOT in state for mouse enter and leave (enter only while enabled) and
  // repaints; true when the event was one of the two.
  bool UpdateHotState(const TEventUI& event, uint32_t& state);
  // The press of a push control: a press inside (while enabled) sets UISTATE_PUSHED and
  // UISTATE_CAPTURED, moving out and back clears and sets UISTATE_PUSHED, and a release still
  // inside calls Activate. True when the event was part of a press.
  bool TrackPress(const TEventUI& event, uint32_t& state);

  CPaintManagerUI* m_pManager = nullptr;
  CControlUI* m_pParent = nullptr;
  std::string m_sName, m_sText, m_sToolTip, m_sUserData, m_sVirtualWnd;
  uintptr_t m_pTag = 0;
  bool m_bVisible = true, m_bInternVisible = true, m_bEnabled = true;
  bool m_bMouseEnabled = true, m_bKeyboardEnabled = true, m_bFocused = false;
  bool m_bFloat = false, m_bUpdateNeeded = true, m_bMenuUsed = false, m_bResourceText = false;
  UiRect m_rcItem, m_rcPaint, m_rcPadding;
  UiSize m_cXY, m_cxyFixed, m_cxyMin, m_cxyMax{9999, 9999}, m_cxyBorderRound;
  UiColor m_dwBackColor = 0, m_dwBorderColor = 0, m_dwFocusBorderColor = 0;
  int m_nBorderSize = 0;
  int m_nCursor = 0;  // a HostCursor value
  std::string m_sBkImage, m_sForeImage;
  std::map<std::string, std::string> m_customAttributes;
  std::vector<NotifyListener> m_notifyListeners;
};

// True for controls that take the mouse themselves (buttons, edits, combos, sliders, lists):
// a press on anything else in a caption drags the window, and inside a list element it
// selects the element.
bool IsInteractiveControl(CControlUI* control);

}  // namespace velmora::toolkit
