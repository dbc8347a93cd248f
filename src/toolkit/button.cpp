#include "toolkit/button.h"

#include "toolkit/key_codes.h"
#include "toolkit/paint_manager.h"
#include "toolkit/render_engine.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {

CButtonUI::CButtonUI() { textStyle_ = DT_SINGLELINE | DT_VCENTER | DT_CENTER; }

std::string CButtonUI::GetClass() const { return "ButtonUI"; }

void* CButtonUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "Button")) return this;
  return CLabelUI::GetInterface(name);
}

uint32_t CButtonUI::GetControlFlags() const { return (IsKeyboardEnabled() ? UIFLAG_TABSTOP : 0) | UIFLAG_SETCURSOR; }

bool CButtonUI::Activate() {
  if (!CControlUI::Activate()) return false;
  Notify(kNotifyClick);
  return true;
}

void CButtonUI::SetEnabled(bool enabled) {
  CControlUI::SetEnabled(enabled);
  if (!enabled) buttonState_ = 0;
}

void CButtonUI::DoEvent(TEventUI& event) {
  if (UpdateHotState(event, buttonState_) || TrackPress(event, buttonState_)) return;
  if (event.Type == UiEventType::KeyDown && IsKeyboardEnabled() &&
      (event.chKey == keys::kReturn || event.chKey == ' ')) {
    Activate();
    return;
  }
  CLabelUI::DoEvent(event);
}

std::string CButtonUI::CurrentStateImage() const {
  if (!IsEnabled() && !disabledImage_.empty()) return disabledImage_;
  if ((buttonState_ & UISTATE_PUSHED) != 0 && !pushedImage_.empty()) return pushedImage_;
  if ((buttonState_ & UISTATE_HOT) != 0 && !hotImage_.empty()) return hotImage_;
  if (IsFocused() && !focusedImage_.empty()) return focusedImage_;
  return normalImage_;
}

void CButtonUI::PaintBkColor(cairo_t* cr) {
  if ((buttonState_ & UISTATE_PUSHED) != 0 && pushedBkColor_ != 0) {
    CRenderEngine::DrawColor(cr, m_rcPaint, pushedBkColor_);
  } else if ((buttonState_ & UISTATE_HOT) != 0 && hotBkColor_ != 0) {
    CRenderEngine::DrawColor(cr, m_rcPaint, hotBkColor_);
  } else {
    CLabelUI::PaintBkColor(cr);
  }
}

void CButtonUI::PaintStatusImage(cairo_t* cr) {
  const std::string image = CurrentStateImage();
  if (!image.empty() && !DrawImage(cr, image) && image != normalImage_ && !normalImage_.empty()) {
    DrawImage(cr, normalImage_);
  }
  if ((buttonState_ & UISTATE_PUSHED) != 0 && !pushedForeImage_.empty()) {
    DrawImage(cr, pushedForeImage_);
  } else if ((buttonState_ & UISTATE_HOT) != 0 && !hotForeImage_.empty()) {
    DrawImage(cr, hotForeImage_);
  }
}

UiColor CButtonUI::CurrentTextColor() const {
  if (IsEnabled()) {
    if ((buttonState_ & UISTATE_PUSHED) != 0 && pushedTextColor_ != 0) return pushedTextColor_;
    if ((buttonState_ & UISTATE_HOT) != 0 && hotTextColor_ != 0) return hotTextColor_;
    if (IsFocused() && focusedTextColor_ != 0) return focusedTextColor_;
  }
  return CLabelUI::CurrentTextColor();
}

void CButtonUI::SetNormalImage(const std::string& image) {
  normalImage_ = image;
  Invalidate();
}
void CButtonUI::SetHotImage(const std::string& image) {
  hotImage_ = image;
  Invalidate();
}
void CButtonUI::SetPushedImage(const std::string& image) {
  pushedImage_ = image;
  Invalidate();
}
void CButtonUI::SetFocusedImage(const std::string& image) {
  focusedImage_ = image;
  Invalidate();
}
void CButtonUI::SetDisabledImage(const std::string& image) {
  disabledImage_ = image;
  Invalidate();
}
void CButtonUI::SetHotBkColor(UiColor color) {
  hotBkColor_ = color;
  Invalidate();
}
void CButtonUI::SetHotTextColor(UiColor color) {
  hotTextColor_ = color;
  Invalidate();
}
void CButtonUI::SetPushedTextColor(UiColor color) {
  pushedTextColor_ = color;
  Invalidate();
}
void CButtonUI::SetFocusedTextColor(UiColor color) {
  focusedTextColor_ = color;
  Invalidate();
}

void CButtonUI::SetAttribute(const std::string& name, const std::string& value) {
  const std::string key = ToLowerAscii(name);
  if (key == "normalimage") SetNormalImage(value);
  else if (key == "hotimage") SetHotImage(value);
  else if (key == "pushedimage") SetPushedImage(value);
  else if (key == "focusedimage") SetFocusedImage(value);
  else if (key == "disabledimage") SetDisabledImage(value);
  else if (key == "hotforeimage") hotForeImage_ = value;
  else if (key == "pushedforeimage") pushedForeImage_ = value;
  else if (key == "hotbkcolor") SetHotBkColor(ParseColor(value));
  else if (key == "pushedbkcolor") pushedBkColor_ = ParseColor(value);
  else if (key == "hottextcolor") SetHotTextColor(ParseColor(value));
  else if (key == "pushedtextcolor") SetPushedTextColor(ParseColor(value));
  else if (key == "focusedtextcolor") SetFocusedTextColor(ParseColor(value));
  else CLabelUI::SetAttribute(name, value);
}

}  // namespace velmora::toolkit
