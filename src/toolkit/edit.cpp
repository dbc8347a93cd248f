#include "toolkit/edit.h"

#include <algorithm>
#include <charconv>

#include "toolkit/host.h"
#include "toolkit/key_codes.h"
#include "toolkit/paint_manager.h"
#include "toolkit/render_engine.h"
#include "toolkit/resource_manager.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {
namespace {

constexpr const char* kPasswordBullet = "\xE2\x97\x8F";  // U+25CF
constexpr size_t kBulletBytes = 3;

std::string DigitsOnly(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c >= '0' && c <= '9') out += c;
  }
  return out;
}

}  // namespace

CEditUI::CEditUI() {
  textStyle_ = DT_VCENTER | DT_SINGLELINE;
  m_nCursor = static_cast<int>(HostCursor::IBeam);
}

std::string CEditUI::GetClass() const { return "EditUI"; }

void* CEditUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "Edit")) return this;
  return CLabelUI::GetInterface(name);
}

uint32_t CEditUI::GetControlFlags() const { return IsEnabled() ? (UIFLAG_TABSTOP | UIFLAG_SETCURSOR) : 0; }

void CEditUI::SetText(const std::string& text) {
  CLabelUI::SetText(text);
  caret_ = anchor_ = m_sText.size();
  scrollX_ = 0;
}

void CEditUI::SetMaxChar(int maxChar) { maxChar_ = std::max(0, maxChar); }
void CEditUI::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  Invalidate();
}
void CEditUI::SetPasswordMode(bool password) {
  password_ = password;
  Invalidate();
}
void CEditUI::SetNumberOnly(bool numberOnly) { numberOnly_ = numberOnly; }
void CEditUI::SetMinValue(int value) { minValue_ = value; }
void CEditUI::SetMaxValue(int value) { maxValue_ = value; }
void CEditUI::SetTipValue(const std::string& tip) {
  tipValue_ = tip;
  Invalidate();
}

std::string CEditUI::GetTipValue() const {
  if (tipValue_.size() > 3 && tipValue_.compare(0, 2, "%[") == 0 && tipValue_.back() == ']') {
    return CResourceManager::GetInstance().GetText(tipValue_.substr(2, tipValue_.size() - 3));
  }
  return tipValue_;
}

void CEditUI::SetSel(int start, int end) {
  const size_t length = Utf8Length(m_sText);
  const size_t from = start < 0 ? length : std::min<size_t>(static_cast<size_t>(start), length);
  const size_t to = end < 0 ? length : std::min<size_t>(static_cast<size_t>(end), length);
  anchor_ = Utf8OffsetOfChar(m_sText, from);
  caret_ = Utf8OffsetOfChar(m_sText, to);
  Invalidate();
}

void CEditUI::SetSelAll() { SetSel(0, -1); }

void CEditUI::GetSel(int& start, int& end) const {
  const size_t lo = std::min(caret_, anchor_), hi = std::max(caret_, anchor_);
  start = static_cast<int>(Utf8Length(std::string_view(m_sText).substr(0, lo)));
  end = static_cast<int>(Utf8Length(std::string_view(m_sText).substr(0, hi)));
}

std::string CEditUI::GetSelText() const {
  const size_t lo = std::min(caret_, anchor_), hi = std::max(caret_, anchor_);
  return m_sText.substr(lo, hi - lo);
}

void CEditUI::ReplaceSel(const std::string& text) {
  if (InsertText(text)) TextEdited();
}

void CEditUI::DeleteSelection() {
  const size_t lo = std::min(caret_, anchor_), hi = std::max(caret_, anchor_);
  m_sText.erase(lo, hi - lo);
  caret_ = anchor_ = lo;
}

bool CEditUI::InsertText(const std::string& raw) {
  std::string text = numberOnly_ ? DigitsOnly(raw) : raw;
  if ((textStyle_ & DT_SINGLELINE) != 0) {
    text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }), text.end());
  }
  // Input with nothing this edit accepts (letters pasted into a number field) leaves the
  // selection as it was rather than deleting it.
  if (text.empty() && !raw.empty()) return false;
  DeleteSelection();
  const size_t length = Utf8Length(m_sText), limit = static_cast<size_t>(maxChar_);
  const size_t room = limit > length ? limit - length : 0;
  text.resize(Utf8OffsetOfChar(text, room));
  m_sText.insert(caret_, text);
  caret_ = anchor_ = caret_ + text.size();
  return true;
}

void CEditUI::TextEdited() {
  Invalidate();
  Notify(kNotifyTextChanged);
}

void CEditUI::MoveCaret(size_t offset, bool extend) {
  caret_ = std::min(offset, m_sText.size());
  if (!extend) anchor_ = caret_;
  Invalidate();
}

void CEditUI::ApplyRange() {
  if (!numberOnly_ || maxValue_ <= minValue_ || m_sText.empty()) return;
  long long value = 0;
  const char* end = m_sText.data() + std::min<size_t>(m_sText.size(), 18);
  if (std::from_chars(m_sText.data(), end, value).ec != std::errc()) return;
  const long long clamped = std::clamp<long long>(value, minValue_, maxValue_);
  const std::string text = std::to_string(clamped);
  if (text == m_sText) return;
  m_sText = text;
  caret_ = anchor_ = m_sText.size();
  TextEdited();
}

std::string CEditUI::DisplayText() const {
  if (!password_) return m_sText;
  std::string out;
  for (size_t i = 0, n = Utf8Length(m_sText); i < n; ++i) out += kPasswordBullet;
  return out;
}

size_t CEditUI::ToDisplayOffset(size_t offset) const {
  if (!password_) return offset;
  return Utf8Length(std::string_view(m_sText).substr(0, offset)) * kBulletBytes;
}

size_t CEditUI::FromDisplayOffset(size_t displayOffset) const {
  if (!password_) return displayOffset;
  return Utf8OffsetOfChar(m_sText, displayOffset / kBulletBytes);
}

uint32_t CEditUI::LayoutStyle() const { return DT_SINGLELINE; }
int CEditUI::LayoutWidth() const { return 0; }

UiPoint CEditUI::TextOrigin() const {
  const UiRect rc = m_rcItem.Deflate(GetTextPadding());
  const int lineHeight = CRenderEngine::MeasureText(m_pManager, "Ag", font_, DT_SINGLELINE, 0).cy;
  return {rc.left - scrollX_, rc.top + (rc.Height() - lineHeight) / 2};
}

size_t CEditUI::OffsetAtPoint(UiPoint point) const {
  const UiPoint origin = TextOrigin();
  const size_t display = CRenderEngine::HitTestText(m_pManager, DisplayText(), font_, LayoutStyle(), LayoutWidth(),
                                                    {point.x - origin.x, point.y - origin.y});
  return FromDisplayOffset(display);
}

UiRect CEditUI::GetCaretRect() const {
  const UiPoint origin = TextOrigin();
  const UiRect caret = CRenderEngine::CaretRectAt(m_pManager, DisplayText(), font_, LayoutStyle(), LayoutWidth(),
                                                  ToDisplayOffset(caret_));
  return caret.Offset(origin.x, origin.y);
}

bool CEditUI::HandleKey(const TEventUI& event) {
  const bool shift = (event.wKeyState & kModShift) != 0;
  const bool control = (event.wKeyState & kModControl) != 0;
  switch (event.chKey) {
    case keys::kLeft: MoveCaret(Utf8PrevBoundary(m_sText, caret_), shift); return true;
    case keys::kRight: MoveCaret(Utf8NextBoundary(m_sText, caret_), shift); return true;
    case keys::kHome: MoveCaret(0, shift); return true;
    case keys::kEnd: MoveCaret(m_sText.size(), shift); return true;
    case keys::kReturn:
    case keys::kKeypadEnter: Notify(kNotifyReturn); return true;
    case keys::kBackSpace:
    case keys::kDelete:
      if (readOnly_) return true;
      if (!HasSelection()) {
        if (event.chKey == keys::kBackSpace) anchor_ = Utf8PrevBoundary(m_sText, caret_);
        else anchor_ = Utf8NextBoundary(m_sText, caret_);
      }
      if (!HasSelection()) return true;
      DeleteSelection();
      TextEdited();
      return true;
    default:
      break;
  }
  if (!control) return false;
  switch (event.chKey) {
    case 'a': case 'A': SetSelAll(); return true;
    case 'c': case 'C':
      if (!password_ && HasSelection() && m_pManager != nullptr) m_pManager->SetClipboardText(GetSelText());
      return true;
    case 'x': case 'X':
      if (password_ || readOnly_ || !HasSelection()) return true;
      if (m_pManager != nullptr) m_pManager->SetClipboardText(GetSelText());
      DeleteSelection();
      TextEdited();
      return true;
    case 'v': case 'V':
      if (!readOnly_ && m_pManager != nullptr) ReplaceSel(m_pManager->GetClipboardText());
      return true;
    default:
      return false;
  }
}

void CEditUI::DoEvent(TEventUI& event) {
  if (UpdateHotState(event, buttonState_)) return;
  switch (event.Type) {
    case UiEventType::ButtonDown:
      if (IsEnabled()) {
        MoveCaret(OffsetAtPoint(event.ptMouse), (event.wKeyState & kModShift) != 0);
        buttonState_ |= UISTATE_CAPTURED;
      }
      return;
    case UiEventType::MouseMove:
      if ((buttonState_ & UISTATE_CAPTURED) != 0) MoveCaret(OffsetAtPoint(event.ptMouse), true);
      return;
    case UiEventType::ButtonUp:
      buttonState_ &= ~UISTATE_CAPTURED;
      return;
    case UiEventType::DblClick:
      SetSelAll();
      return;
    case UiEventType::KeyDown:
      if (IsEnabled()) HandleKey(event);
      return;
    case UiEventType::Char:
      if (IsEnabled() && !readOnly_) {
        if (InsertText(event.text)) TextEdited();
      }
      return;
    case UiEventType::KillFocus:
      ApplyRange();
      anchor_ = caret_;
      break;
    default:
      break;
  }
  CLabelUI::DoEvent(event);
}

void CEditUI::PaintStatusImage(cairo_t* cr) {
  std::string image = normalImage_;
  if (!IsEnabled() && !disabledImage_.empty()) image = disabledImage_;
  else if (IsFocused() && !focusedImage_.empty()) image = focusedImage_;
  else if ((buttonState_ & UISTATE_HOT) != 0 && !hotImage_.empty()) image = hotImage_;
  if (!image.empty()) DrawImage(cr, image);
}

void CEditUI::PaintText(cairo_t* cr) {
  const UiRect area = m_rcItem.Deflate(GetTextPadding());
  // Keep the caret inside the visible area.
  if (IsFocused() && LayoutWidth() == 0) {
    const UiRect caret = GetCaretRect();
    if (caret.right > area.right) scrollX_ += caret.right - area.right;
    else if (caret.left < area.left) scrollX_ = std::max(0, scrollX_ - (area.left - caret.left));
  }
  cairo_save(cr);
  cairo_rectangle(cr, area.left, area.top, area.Width(), area.Height());
  cairo_clip(cr);
  const std::string display = DisplayText();
  const UiPoint origin = TextOrigin();
  if (display.empty() && !IsFocused()) {
    UiRect rc = area;
    CRenderEngine::DrawText(cr, m_pManager, rc, GetTipValue(), tipValueColor_, font_, textStyle_);
  }
  if (HasSelection() && IsFocused()) {
    const size_t lo = ToDisplayOffset(std::min(caret_, anchor_)), hi = ToDisplayOffset(std::max(caret_, anchor_));
    const UiRect a = CRenderEngine::CaretRectAt(m_pManager, display, font_, LayoutStyle(), LayoutWidth(), lo);
    const UiRect b = CRenderEngine::CaretRectAt(m_pManager, display, font_, LayoutStyle(), LayoutWidth(), hi);
    if (a.top == b.top) {
      CRenderEngine::DrawColor(cr, UiRect{a.left, a.top, b.left, a.bottom}.Offset(origin.x, origin.y), 0xFF99C9EF);
    }
  }
  if (!display.empty()) {
    UiRect rc{origin.x, origin.y, std::max(area.right, origin.x + 100000), area.bottom};
    if (LayoutWidth() > 0) rc.right = origin.x + LayoutWidth();
    CRenderEngine::DrawText(cr, m_pManager, rc, display, CurrentTextColor(), font_, LayoutStyle());
  }
  if (IsFocused() && !readOnly_) CRenderEngine::DrawColor(cr, GetCaretRect(), CurrentTextColor());
  cairo_restore(cr);
}

void CEditUI::SetAttribute(const std::string& name, const std::string& value) {
  const std::string key = ToLowerAscii(name);
  if (key == "maxchar") SetMaxChar(ParseInt(value));
  else if (key == "readonly") SetReadOnly(ParseBool(value));
  else if (key == "password") SetPasswordMode(ParseBool(value));
  else if (key == "numberonly") SetNumberOnly(ParseBool(value));
  else if (key == "minvalue") SetMinValue(ParseInt(value));
  else if (key == "maxvalue") SetMaxValue(ParseInt(value));
  else if (key == "tipvalue") SetTipValue(value);
  else if (key == "tipvaluecolor") tipValueColor_ = ParseColor(value);
  else if (key == "normalimage") normalImage_ = value;
  else if (key == "hotimage") hotImage_ = value;
  else if (key == "focusedimage") focusedImage_ = value;
  else if (key == "disabledimage") disabledImage_ = value;
  else if (key == "nativebkcolor") SetBkColor(ParseColor(value));
  else CLabelUI::SetAttribute(name, value);
}

}  // namespace velmora::toolkit
