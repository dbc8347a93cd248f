#include "toolkit/slider.h"

#include <algorithm>
#include <cmath>

#include "toolkit/host.h"
#include "toolkit/key_codes.h"
#include "toolkit/render_engine.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {

CSliderUI::CSliderUI() { m_nCursor = static_cast<int>(HostCursor::Hand); }

std::string CSliderUI::GetClass() const { return "SliderUI"; }

void* CSliderUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "Slider")) return this;
  return CProgressUI::GetInterface(name);
}

UiSize CSliderUI::GetThumbSize() const { return Scale(thumbSize_); }
void CSliderUI::SetThumbSize(UiSize size) {
  thumbSize_ = size;
  Invalidate();
}

UiRect CSliderUI::GetThumbRect() const {
  const UiSize thumb = GetThumbSize();
  const double fraction = max_ > min_ ? static_cast<double>(value_ - min_) / (max_ - min_) : 0.0;
  if (horizontal_) {
    const int left = m_rcItem.left + static_cast<int>(std::lround((m_rcItem.Width() - thumb.cx) * fraction));
    const int top = (m_rcItem.top + m_rcItem.bottom - thumb.cy) / 2;
    return {left, top, left + thumb.cx, top + thumb.cy};
  }
  const int top = m_rcItem.bottom - thumb.cy - static_cast<int>(std::lround((m_rcItem.Height() - thumb.cy) * fraction));
  const int left = (m_rcItem.left + m_rcItem.right - thumb.cx) / 2;
  return {left, top, left + thumb.cx, top + thumb.cy};
}

int CSliderUI::ValueAtPoint(UiPoint point) const {
  const UiSize thumb = GetThumbSize();
  double fraction;
  if (horizontal_) {
    const int track = std::max(1, m_rcItem.Width() - thumb.cx);
    fraction = static_cast<double>(point.x - m_rcItem.left - thumb.cx / 2) / track;
  } else {
    const int track = std::max(1, m_rcItem.Height() - thumb.cy);
    fraction = static_cast<double>(m_rcItem.bottom - point.y - thumb.cy / 2) / track;
  }
  fraction = std::clamp(fraction, 0.0, 1.0);
  return min_ + static_cast<int>(std::lround(fraction * (max_ - min_)));
}

void CSliderUI::DoEvent(TEventUI& event) {
  if (UpdateHotState(event, buttonState_)) return;
  switch (event.Type) {
    case UiEventType::ButtonDown:
    case UiEventType::DblClick:
      if (IsEnabled() && m_rcItem.Contains(event.ptMouse)) {
        buttonState_ |= UISTATE_CAPTURED | UISTATE_PUSHED;
        // A press on the track jumps there; a press on the thumb only grabs it.
        if (!GetThumbRect().Contains(event.ptMouse)) SetValue(ValueAtPoint(event.ptMouse));
        Invalidate();
      }
      return;
    case UiEventType::MouseMove:
      if (IsDragging()) {
        const int value = ValueAtPoint(event.ptMouse);
        if (value != value_) {
          SetValue(value);
          Notify(kNotifyMoveValueChanged);
        }
      }
      return;
    case UiEventType::ButtonUp:
      if (IsDragging()) {
        buttonState_ &= ~(UISTATE_CAPTURED | UISTATE_PUSHED);
        SetValue(ValueAtPoint(event.ptMouse));
        Invalidate();
        Notify(kNotifyValueChanged);
      }
      return;
    case UiEventType::ScrollWheel:
      if (IsEnabled()) {
        const int direction = static_cast<intptr_t>(event.wParam) > 0 ? 1 : -1;
        const int before = value_;
        SetValue(value_ + direction * step_);
        if (value_ != before) Notify(kNotifyValueChanged);
      }
      return;
    case UiEventType::KeyDown: {
      int delta = 0;
      if (event.chKey == keys::kRight || event.chKey == keys::kUp) delta = step_;
      else if (event.chKey == keys::kLeft || event.chKey == keys::kDown) delta = -step_;
      const int before = value_;
      if (delta != 0 && IsEnabled()) SetValue(value_ + delta);
      if (value_ != before) Notify(kNotifyValueChanged);
      return;
    }
    default:
      CProgressUI::DoEvent(event);
  }
}

void CSliderUI::PaintStatusImage(cairo_t* cr) {
  CProgressUI::PaintStatusImage(cr);
  std::string image = thumbImage_;
  if ((buttonState_ & UISTATE_PUSHED) != 0 && !thumbPushedImage_.empty()) image = thumbPushedImage_;
  else if ((buttonState_ & UISTATE_HOT) != 0 && !thumbHotImage_.empty()) image = thumbHotImage_;
  if (image.empty()) return;
  const UiRect thumb = GetThumbRect();
  CRenderEngine::DrawImageString(cr, m_pManager, thumb, m_rcPaint.Intersect(thumb), image);
}

void CSliderUI::SetAttribute(const std::string& name, const std::string& value) {
  const std::string key = ToLowerAscii(name);
  if (key == "step") SetChangeStep(ParseInt(value));
  else if (key == "thumbsize") SetThumbSize(ParseSize(value));
  else if (key == "thumbimage") thumbImage_ = value;
  else if (key == "thumbhotimage") thumbHotImage_ = value;
  else if (key == "thumbpushedimage") thumbPushedImage_ = value;
  else if (key == "sendmove" || key == "imm") {
    // Moves are always reported while dragging.
  } else {
    CProgressUI::SetAttribute(name, value);
  }
}

}  // namespace velmora::toolkit
