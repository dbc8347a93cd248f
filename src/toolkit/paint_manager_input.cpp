// CPaintManagerUI: turning host input into control events.

#include "toolkit/paint_manager.h"

#include <algorithm>

#include "toolkit/key_codes.h"

namespace velmora::toolkit {
namespace {

constexpr uint32_t kToolTipDelayMs = 400;

}  // namespace

TEventUI CPaintManagerUI::MakeEvent(UiEventType type, CControlUI* sender, const HostInputEvent& input) const {
  TEventUI event;
  event.Type = type;
  event.pSender = sender;
  event.dwTimestamp = GetLoop() != nullptr ? GetLoop()->NowMs() : 0;
  event.ptMouse = {input.x, input.y};
  event.chKey = input.keySym;
  event.wKeyState = input.modifiers;
  event.wParam = static_cast<UiWParam>(static_cast<intptr_t>(input.wheelDelta));
  event.text = input.text;
  return event;
}

void CPaintManagerUI::HandleInput(const HostInputEvent& input) {
  UpdateLayout();
  switch (input.type) {
    case HostInputType::MouseMove: {
      mousePos_ = {input.x, input.y};
      UpdateHover(mousePos_);
      CControlUI* target = capture_ != nullptr ? capture_ : hover_;
      if (target != nullptr) {
        TEventUI event = MakeEvent(UiEventType::MouseMove, target, input);
        target->DoEvent(event);
      }
      break;
    }
    case HostInputType::MouseLeave:
      if (hover_ != nullptr && capture_ == nullptr) {
        CControlUI* old = hover_;
        hover_ = nullptr;
        TEventUI event = MakeEvent(UiEventType::MouseLeave, old, input);
        old->DoEvent(event);
      }
      toolTip_.clear();
      break;
    case HostInputType::ButtonDown:
      HandleButtonDown(input);
      break;
    case HostInputType::ButtonUp:
      HandleButtonUp(input);
      break;
    case HostInputType::DoubleClick: {
      mousePos_ = {input.x, input.y};
      CControlUI* control = FindControl(mousePos_);
      if (control != nullptr && input.button == HostMouseButton::Left) {
        TEventUI event = MakeEvent(UiEventType::DblClick, control, input);
        control->DoEvent(event);
      }
      break;
    }
    case HostInputType::Wheel:
      HandleWheel(input);
      break;
    case HostInputType::KeyDown:
    case HostInputType::KeyUp:
      HandleKey(input);
      break;
    case HostInputType::TextInput:
      if (focus_ != nullptr && !input.text.empty()) {
        TEventUI event = MakeEvent(UiEventType::Char, focus_, input);
        focus_->DoEvent(event);
      }
      break;
    case HostInputType::FocusIn:
      break;
    case HostInputType::FocusOut:
      if (capture_ != nullptr) ReleaseCapture();
      break;
  }
  UpdateLayout();
}

void CPaintManagerUI::UpdateHover(UiPoint point) {
  CControlUI* control = FindControl(point);
  if (control == hover_) return;
  if (hover_ != nullptr) {
    CControlUI* old = hover_;
    hover_ = nullptr;
    TEventUI event;
    event.Type = UiEventType::MouseLeave;
    event.pSender = old;
    event.ptMouse = point;
    old->DoEvent(event);
  }
  toolTip_.clear();
  if (window_ != nullptr) window_->ShowToolTip(std::string(), {});
  hover_ = control;
  SetCursor(static_cast<HostCursor>(control != nullptr ? control->GetCursor() : 0));
  if (control == nullptr) return;
  TEventUI event;
  event.Type = UiEventType::MouseEnter;
  event.pSender = control;
  event.ptMouse = point;
  control->DoEvent(event);
  if (hover_ == control && !control->GetToolTip().empty()) StartToolTipTimer();
}

void CPaintManagerUI::StartToolTipTimer() {
  MessageLoop* loop = GetLoop();
  if (loop == nullptr) return;
  if (toolTipTimer_ != 0) loop->StopTimer(toolTipTimer_);
  std::weak_ptr<CPaintManagerUI*> weak = self_;
  toolTipTimer_ = loop->StartTimer(kToolTipDelayMs, [weak] {
    auto alive = weak.lock();
    if (!alive || *alive == nullptr) return;
    CPaintManagerUI* self = *alive;
    self->GetLoop()->StopTimer(self->toolTipTimer_);
    self->toolTipTimer_ = 0;
    if (self->hover_ == nullptr) return;
    self->toolTip_ = self->hover_->GetToolTip();
    const UiRect& rc = self->hover_->GetPos();
    if (self->window_ != nullptr) self->window_->ShowToolTip(self->toolTip_, {rc.left, rc.top, rc.right, rc.bottom});
  });
}

bool CPaintManagerUI::TryStartCaptionMove(UiPoint point, CControlUI* control) {
  const UiRect caption = GetCaptionRect();
  if (window_ == nullptr || caption.bottom <= caption.top) return false;
  // The caption's right and bottom count from the window's right edge and top.
  const UiRect area{caption.left, caption.top, clientSize_.cx - caption.right, caption.bottom};
  if (!area.Contains(point) || IsInteractiveControl(control)) return false;
  window_->BeginMove();
  return true;
}

void CPaintManagerUI::HandleButtonDown(const HostInputEvent& input) {
  mousePos_ = {input.x, input.y};
  CControlUI* control = FindControl(mousePos_);
  if (control == nullptr) return;
  if (input.button == HostMouseButton::Right) {
    TEventUI event = MakeEvent(UiEventType::RButtonDown, control, input);
    control->DoEvent(event);
    return;
  }
  if (input.button != HostMouseButton::Left) return;
  if (TryStartCaptionMove(mousePos_, control)) return;
  pressed_ = control;
  control->SetFocus();
  if (pressed_ != control) return;  // the focus change removed it
  SetCapture(control);
  TEventUI event = MakeEvent(UiEventType::ButtonDown, control, input);
  control->DoEvent(event);
}

void CPaintManagerUI::HandleButtonUp(const HostInputEvent& input) {
  mousePos_ = {input.x, input.y};
  if (input.button == HostMouseButton::Right) {
    CControlUI* control = FindControl(mousePos_);
    if (control == nullptr) return;
    TEventUI up = MakeEvent(UiEventType::RButtonUp, control, input);
    control->DoEvent(up);
    if (FindControl(mousePos_) != control) return;
    TEventUI menu = MakeEvent(UiEventType::ContextMenu, control, input);
    menu.lParam = static_cast<UiLParam>((static_cast<uint32_t>(input.y) << 16) | (static_cast<uint32_t>(input.x) & 0xFFFF));
    control->DoEvent(menu);
    return;
  }
  if (input.button != HostMouseButton::Left) return;
  CControlUI* target = capture_ != nullptr ? capture_ : pressed_;
  ReleaseCapture();
  pressed_ = nullptr;
  if (target == nullptr) return;
  TEventUI event = MakeEvent(UiEventType::ButtonUp, target, input);
  target->DoEvent(event);
}

void CPaintManagerUI::MoveFocusByTab(bool forward) {
  if (root_ == nullptr) return;
  std::vector<CControlUI*> stops;
  root_->FindControl(
      [&stops](CControlUI* c) {
        if ((c->GetControlFlags() & UIFLAG_TABSTOP) != 0 && c->IsEnabled()) stops.push_back(c);
        return false;
      },
      UIFIND_VISIBLE | UIFIND_ME_FIRST);
  if (stops.empty()) return;
  auto current = std::find(stops.begin(), stops.end(), focus_);
  size_t next = 0;
  if (current != stops.end()) {
    const size_t at = static_cast<size_t>(current - stops.begin());
    next = forward ? (at + 1) % stops.size() : (at + stops.size() - 1) % stops.size();
  } else if (!forward) {
    next = stops.size() - 1;
  }
  SetFocus(stops[next]);
}

void CPaintManagerUI::HandleKey(const HostInputEvent& input) {
  const bool tab = input.keySym == keys::kTab || input.keySym == keys::kLeftTab;
  if (tab && input.type == HostInputType::KeyDown && (input.modifiers & (kModControl | kModAlt)) == 0) {
    MoveFocusByTab(input.keySym == keys::kTab && (input.modifiers & kModShift) == 0);
    return;
  }
  if (focus_ == nullptr) return;
  const UiEventType type = input.type == HostInputType::KeyDown ? UiEventType::KeyDown : UiEventType::KeyUp;
  TEventUI event = MakeEvent(type, focus_, input);
  focus_->DoEvent(event);
}

void CPaintManagerUI::HandleWheel(const HostInputEvent& input) {
  mousePos_ = {input.x, input.y};
  CControlUI* control = FindControl(mousePos_);
  if (control == nullptr) return;
  TEventUI event = MakeEvent(UiEventType::ScrollWheel, control, input);
  control->DoEvent(event);
}

UiRect CPaintManagerUI::GetCaretRect() const { return focus_ != nullptr ? focus_->GetCaretRect() : UiRect{}; }

}  // namespace velmora::toolkit
