#pragma once

// Input and state events the paint manager delivers to a control's DoEvent.

#include <cstdint>
#include <string>

#include "toolkit/ui_types.h"

namespace velmora::toolkit {

class CControlUI;

enum class UiEventType {
  MouseMove, MouseLeave, MouseEnter, MouseHover,
  ButtonDown, ButtonUp, RButtonDown, RButtonUp, DblClick, ContextMenu, ScrollWheel,
  KeyDown, KeyUp, Char,       // Char carries committed text (typing or input method)
  SetFocus, KillFocus, SetCursor, Timer,
};

struct TEventUI {
  UiEventType Type = UiEventType::MouseMove;
  CControlUI* pSender = nullptr;
  uint64_t dwTimestamp = 0;
  UiPoint ptMouse;
  uint32_t chKey = 0;       // X keysym for key events
  uint32_t wKeyState = 0;   // HostModifier bits
  UiWParam wParam = 0;      // timer id; wheel: +120 per notch away from the user
  UiLParam lParam = 0;
  std::string text;         // Char
};

}  // namespace velmora::toolkit
