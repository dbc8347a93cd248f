#pragma once

// Notifications: what a control reports to its window, by lower-case event name.

#include <cstdint>
#include <string>

#include "toolkit/ui_types.h"

namespace velmora::toolkit {

class CControlUI;

struct TNotifyUI {
  std::string sType;        // lower-case event name, e.g. "click"
  std::string sVirtualWnd;  // the sender's virtual-window name (routes to a notify pump)
  CControlUI* pSender = nullptr;
  uint64_t dwTimestamp = 0;
  UiPoint ptMouse;
  UiWParam wParam = 0;
  UiLParam lParam = 0;
};

// Receives every notification of a window.
class INotifyUI {
 public:
  virtual ~INotifyUI() = default;
  virtual void Notify(TNotifyUI& msg) = 0;
};

// Event names.
inline constexpr const char* kNotifyClick = "click";
inline constexpr const char* kNotifyDbClick = "dbclick";
inline constexpr const char* kNotifyMenu = "menu";
inline constexpr const char* kNotifyLink = "link";
inline constexpr const char* kNotifyTimer = "timer";
inline constexpr const char* kNotifyReturn = "return";
inline constexpr const char* kNotifyScroll = "scroll";
inline constexpr const char* kNotifyDropDown = "dropdown";
inline constexpr const char* kNotifySetFocus = "setfocus";
inline constexpr const char* kNotifyKillFocus = "killfocus";
inline constexpr const char* kNotifyItemClick = "itemclick";
inline constexpr const char* kNotifyTabSelect = "tabselect";
inline constexpr const char* kNotifyItemSelect = "itemselect";
inline constexpr const char* kNotifyItemActivate = "itemactivate";
inline constexpr const char* kNotifyWindowInit = "windowinit";
inline constexpr const char* kNotifyWindowSize = "windowsize";
inline constexpr const char* kNotifySelectChanged = "selectchanged";
inline constexpr const char* kNotifyTextChanged = "textchanged";
inline constexpr const char* kNotifyValueChanged = "valuechanged";
inline constexpr const char* kNotifyMoveValueChanged = "movevaluechanged";
inline constexpr const char* kNotifyColorChanged = "colorchanged";
inline constexpr const char* kNotifyMouseEnter = "msenter";
inline constexpr const char* kNotifyMouseLeave = "msleave";
inline constexpr const char* kNotifyShowActivex = "showactivex";
inline constexpr const char* kNotifyClickSelectEnd = "click_select_end";

}  // namespace velmora::toolkit
